#pragma once

#include "database/DM1_u.h"
#include "database/FbQuery.h"

#include <QBuffer>
#include <QImage>
#include <QStringList>

// A small collection for the view tests. Four movies, each on its own medium:
//   11 "Alpha" on 1: not lent (LEND_ID -1), 45 minutes, release date the zero date, watched, 4K,
//      two directors (LISTINDEX 2 named before LISTINDEX 1 alphabetically), a producer, a writer,
//      genres Sci-Fi, Action, Drama; DVD.
//   12 "Beta" on 2: lent to borrower 1, 60 minutes, a trailer; Blu-ray; no cover.
//   13 "Gamma" on 3: lent to borrower 0 (the lowest key that still counts), 0 minutes, no
//      release date; no media type; a cover blob that is no picture.
//   14 "Delta" on 4: LEND_ID NULL, 125 minutes, 3D; a real JPEG cover.
namespace ViewsFixture {

// What a server that went away looks like to the program: the engine ends the attachment.
inline void killMainAttachment(TDM1 &dm)
{
    FbConnection other;
    other.setDatabaseName(dm.MainConnection.databaseName());
    other.connect();
    other.startTransaction();
    FbQuery::execute(other,
                     QStringLiteral("delete from MON$ATTACHMENTS where MON$ATTACHMENT_ID <> CURRENT_CONNECTION"));
    other.commit();
    other.disconnect();
}

inline QByteArray jpeg(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(30, 90, 160));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 85);
    return bytes;
}

inline void fill(TDM1 &dm)
{
    FbConnection &db = dm.MainConnection;
    const QStringList statements = {
        "insert into LENDLIST (LEND_ID, NAME, PHONE) values (0, 'Zero Borrower', '555-0000')",
        "insert into LENDLIST (LEND_ID, NAME, PHONE) values (1, 'Ann Lender', '555-1234')",
        "insert into MEDIA (MEDIA_ID, TITLE, TITLESORT, MEDIATYPE_ID, MEDIATIME, LEND_ID, LENDDATE, BUYDATE, "
        "SEQNUMBER, LOCATION) values (1, 'Alpha', 'Alpha', 1, 45, -1, '1899-12-30', '2020-05-01', 1, 'Shelf A')",
        "insert into MEDIA (MEDIA_ID, TITLE, TITLESORT, MEDIATYPE_ID, MEDIATIME, LEND_ID, LENDDATE, BUYDATE, "
        "SEQNUMBER, LOCATION) values (2, 'Beta', 'Beta', 4, 0, 1, '2023-03-15', '1899-12-30', 2, 'Shelf B')",
        "insert into MEDIA (MEDIA_ID, TITLE, TITLESORT, MEDIATYPE_ID, MEDIATIME, LEND_ID, LENDDATE, SEQNUMBER, "
        "LOCATION) values (3, 'Gamma', 'Gamma', null, 60, 0, '2022-01-02', 3, 'Shelf A')",
        "insert into MEDIA (MEDIA_ID, TITLE, TITLESORT, MEDIATYPE_ID, MEDIATIME, LEND_ID, SEQNUMBER, LOCATION) "
        "values (4, 'Delta', 'Delta', 1, 125, null, 4, 'Shelf C')",
        "insert into MOVIE (MEDIA_ID, MOVIE_ID, LISTINDEX, TITLE, TITLESORT, MOVIETIME, RELEASEDATE, THEATERDATE, "
        "WATCHED, THREED_ENABLED, FOURK_ENABLED, CLIPPATH, USERRATING, PLOT) values (1, 11, 1, 'Alpha', 'Alpha', 45, "
        "'1899-12-30', '2001-07-04', 1, 0, 1, '', 7, 'A long plot.')",
        "insert into MOVIE (MEDIA_ID, MOVIE_ID, LISTINDEX, TITLE, TITLESORT, MOVIETIME, RELEASEDATE, WATCHED, "
        "CLIPPATH, USERRATING) values (2, 12, 1, 'Beta', 'Beta', 60, '1999-12-31', 0, 'trailer.mp4', 10)",
        "insert into MOVIE (MEDIA_ID, MOVIE_ID, LISTINDEX, TITLE, TITLESORT, MOVIETIME, RELEASEDATE) "
        "values (3, 13, 1, 'Gamma', 'Gamma', 0, null)",
        "insert into MOVIE (MEDIA_ID, MOVIE_ID, LISTINDEX, TITLE, TITLESORT, MOVIETIME, THREED_ENABLED) "
        "values (4, 14, 1, 'Delta', 'Delta', 125, 1)",
        "insert into PERSON (PERSON_ID, NAME, BIRTHYEAR) values (101, 'Zed Director', '1950')",
        "insert into PERSON (PERSON_ID, NAME, BIRTHYEAR) values (102, 'Amy Director', '1960')",
        "insert into PERSON (PERSON_ID, NAME, BIRTHYEAR) values (103, 'Pat Producer', '1970')",
        "insert into PERSON (PERSON_ID, NAME, BIRTHYEAR) values (104, 'Wes Writer', '1980')",
        "insert into CASTCREW (MOVIE_ID, PERSON_ID, ROLE_ID, LISTINDEX) values (11, 101, 1, 1)",
        "insert into CASTCREW (MOVIE_ID, PERSON_ID, ROLE_ID, LISTINDEX) values (11, 102, 1, 2)",
        "insert into CASTCREW (MOVIE_ID, PERSON_ID, ROLE_ID, LISTINDEX) values (11, 103, 2, 1)",
        "insert into CASTCREW (MOVIE_ID, PERSON_ID, ROLE_ID, LISTINDEX) values (11, 104, 3, 1)",
        "insert into CASTCREW (MOVIE_ID, PERSON_ID, ROLE_ID, LISTINDEX) values (14, 102, 1, 1)",
        "insert into GENRE (MOVIE_ID, GENRE_ID) values (11, 8)",
        "insert into GENRE (MOVIE_ID, GENRE_ID) values (11, 0)",
        "insert into GENRE (MOVIE_ID, GENRE_ID) values (11, 4)",
        "insert into GENRE (MOVIE_ID, GENRE_ID) values (14, 2)",
    };
    for (const QString &sql : statements)
        FbQuery::execute(db, sql);
    FbQuery cover(db);
    cover.setSql(QStringLiteral("update MEDIA set FRONTCOVER_BLOB = :COVER where MEDIA_ID = :ID"));
    cover.setParam(QStringLiteral("COVER"), QByteArray("this is no picture, only text"));
    cover.setParam(QStringLiteral("ID"), 3);
    cover.exec();
    cover.setParam(QStringLiteral("COVER"), jpeg(200, 287));
    cover.setParam(QStringLiteral("ID"), 4);
    cover.exec();
    db.commitRetaining();
}

// A medium with one movie and the rows that hang on them (graphics, cast, genre, file), for the
// command tests: medium mediaId holds movie mediaId + 100, played by person 1 when it exists.
inline void addMediumWithMovie(FbConnection &db, int mediaId, const QString &title, const QString &location)
{
    const QString media = QString::number(mediaId);
    const QString movie = QString::number(mediaId + 100);
    const QStringList statements = {
        QStringLiteral("insert into MEDIA (MEDIA_ID, TITLE, TITLESORT, LEND_ID, LOCATION) values (%1, '%2', '%2', "
                       "-1, '%3')")
            .arg(media, title, location),
        QStringLiteral("insert into MEDIA_GFX (MEDIA_ID) values (%1)").arg(media),
        QStringLiteral("insert into MOVIE (MEDIA_ID, MOVIE_ID, LISTINDEX, TITLE, TITLESORT) values (%1, %2, 1, '%3', "
                       "'%3')")
            .arg(media, movie, title),
        QStringLiteral("insert into CASTCREW (MOVIE_ID, PERSON_ID, ROLE_ID, LISTINDEX) values (%1, 1, 0, 1)")
            .arg(movie),
        QStringLiteral("insert into GENRE (MOVIE_ID, GENRE_ID) values (%1, 1)").arg(movie),
        QStringLiteral("insert into MOVIEFILES (MOVIE_ID, LISTINDEX, FILEPATH) values (%1, 1, 'x:/none.mkv')")
            .arg(movie),
    };
    for (const QString &sql : statements)
        FbQuery::execute(db, sql);
}

// Rows left without their parent by a delete: movies and graphics without a medium, detail rows
// without a movie.
inline int orphanRows(FbConnection &db)
{
    const QStringList counts = {
        "select count(*) from MOVIE T where not exists (select 1 from MEDIA M where M.MEDIA_ID = T.MEDIA_ID)",
        "select count(*) from MEDIA_GFX T where not exists (select 1 from MEDIA M where M.MEDIA_ID = T.MEDIA_ID)",
        "select count(*) from CASTCREW T where not exists (select 1 from MOVIE M where M.MOVIE_ID = T.MOVIE_ID)",
        "select count(*) from GENRE T where not exists (select 1 from MOVIE M where M.MOVIE_ID = T.MOVIE_ID)",
        "select count(*) from MOVIEFILES T where not exists (select 1 from MOVIE M where M.MOVIE_ID = T.MOVIE_ID)",
    };
    int orphans = 0;
    for (const QString &sql : counts)
        orphans += FbQuery::scalar(db, sql).toInt();
    return orphans;
}

} // namespace ViewsFixture
