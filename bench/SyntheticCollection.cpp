#include "SyntheticCollection.h"

#include "database/DM1_u.h"
#include "database/FbQuery.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>

namespace {

const char *const kWords[] = {"Night", "River",  "Shadow", "Empire", "Silent", "Golden", "Last",   "Winter",
                              "Storm", "Broken", "Hidden", "Iron",   "Lost",   "Wild",   "Dark",   "Secret",
                              "City",  "Road",   "Dream",  "Fire",   "Glass",  "Ocean",  "Stone",  "Summer",
                              "Ghost", "Island", "Crown",  "Mirror", "Echo",   "Signal", "Harbor", "Forest"};
constexpr int kWordCount = int(sizeof(kWords) / sizeof(kWords[0]));

QString words(QRandomGenerator &random, int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << QString::fromLatin1(kWords[random.bounded(kWordCount)]);
    return list.join(QLatin1Char(' '));
}

// One small cover: a gradient with a frame, about the size a real 200 x 287 thumbnail has.
QByteArray coverJpeg()
{
    QImage image(200, 287, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, 200, 287);
    gradient.setColorAt(0, QColor(40, 60, 120));
    gradient.setColorAt(1, QColor(200, 120, 40));
    painter.fillRect(image.rect(), gradient);
    painter.setPen(QPen(Qt::white, 4));
    painter.drawRect(10, 10, 180, 267);
    painter.drawText(QRect(10, 120, 180, 40), Qt::AlignCenter, QStringLiteral("COVER"));
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 80);
    return bytes;
}

bool build(TDM1 &dm, int movieCount, const QString &path, QString *error)
{
    QFile::remove(path);
    if (!dm.CreateRNZDB(path, false, true, false)) {
        *error = QStringLiteral("could not create ") + path;
        return false;
    }
    FbConnection &db = dm.MainConnection;
    QRandomGenerator random(4711);
    const QByteArray cover = coverJpeg();
    const int personCount = movieCount * 2;
    const QDateTime zero(QDate(1899, 12, 30), QTime(0, 0));
    try {
        FbQuery borrower(db);
        borrower.setSql(QStringLiteral("insert into LENDLIST (LEND_ID, NAME, PHONE) values (:ID, :NAME, :PHONE)"));
        for (int i = 0; i < 10; ++i) {
            borrower.setParam(QStringLiteral("ID"), i);
            borrower.setParam(QStringLiteral("NAME"), QStringLiteral("Borrower %1").arg(i));
            borrower.setParam(QStringLiteral("PHONE"), QStringLiteral("555-01%1").arg(i, 2, 10, QLatin1Char('0')));
            borrower.exec();
        }

        FbQuery person(db);
        person.setSql(QStringLiteral("insert into PERSON (PERSON_ID, NAME, BIRTHYEAR, IMDBID) "
                                     "values (:ID, :NAME, :BIRTHYEAR, :IMDBID)"));
        for (int i = 1; i <= personCount; ++i) {
            person.setParam(QStringLiteral("ID"), i);
            person.setParam(QStringLiteral("NAME"), words(random, 2) + QStringLiteral(" %1").arg(i));
            person.setParam(QStringLiteral("BIRTHYEAR"), QString::number(1930 + random.bounded(70)));
            person.setParam(QStringLiteral("IMDBID"), 1000000 + i);
            person.exec();
        }

        FbQuery media(db);
        media.setSql(QStringLiteral(
            "insert into MEDIA (MEDIA_ID, TITLE, TITLESORT, MEDIATIME, LENDDATE, EDITION, SEQNUMBER, MEDIATYPE_ID, "
            "REGIONCODE, LOCATION, STATUS, BUYPRICE, BUYDATE, LEND_ID, DATE_ADDED, DATE_MODIFIED, FRONTCOVER_BLOB) "
            "values (:ID, :TITLE, :TITLESORT, :MEDIATIME, :LENDDATE, :EDITION, :SEQNUMBER, :MEDIATYPE_ID, 2, "
            ":LOCATION, 'Owned', :BUYPRICE, :BUYDATE, :LEND_ID, :ADDED, :ADDED, :COVER)"));
        FbQuery movie(db);
        movie.setSql(QStringLiteral(
            "insert into MOVIE (MEDIA_ID, MOVIE_ID, LISTINDEX, TITLE, TITLESORT, STUDIO, RELEASEDATE, THEATERDATE, "
            "MOVIETIME, TAGLINE, USERRATING, IMDBID, ORIGTITLE, ORIGTITLESORT, CLIPPATH, PLOTOUTLINE, PLOT, "
            "CERTIFICATION_ID, COUNTRY_ID, DISCNO, WATCHED, LASTWATCHEDDATE, PRODUCTIONYEAR, IMDBRATING, "
            "THREED_ENABLED, FOURK_ENABLED) values (:ID, :ID, 1, :TITLE, :TITLESORT, :STUDIO, :RELEASEDATE, "
            ":THEATERDATE, :MOVIETIME, :TAGLINE, :USERRATING, :IMDBID, :TITLE, :TITLESORT, :CLIPPATH, :OUTLINE, "
            ":PLOT, :CERT, :COUNTRY, 1, :WATCHED, :LASTWATCHED, :YEAR, :IMDBRATING, :THREED, :FOURK)"));
        FbQuery castcrew(db);
        castcrew.setSql(QStringLiteral("insert into CASTCREW (MOVIE_ID, PERSON_ID, ROLE_ID, LISTINDEX, CHARACTERNAME) "
                                       "values (:MOVIE, :PERSON, :ROLE, :LISTINDEX, :CHARACTER)"));
        FbQuery genre(db);
        genre.setSql(QStringLiteral("insert into GENRE (MOVIE_ID, GENRE_ID) values (:MOVIE, :GENRE)"));

        for (int i = 1; i <= movieCount; ++i) {
            const QString title = words(random, 1 + random.bounded(3)) + QStringLiteral(" %1").arg(i);
            const QDate released = QDate(1950, 1, 1).addDays(random.bounded(26000));
            const bool lent = i % 40 == 0;
            media.setParam(QStringLiteral("ID"), i);
            media.setParam(QStringLiteral("TITLE"), title);
            media.setParam(QStringLiteral("TITLESORT"), title);
            media.setParam(QStringLiteral("MEDIATIME"), 80 + random.bounded(100));
            media.setParam(QStringLiteral("LENDDATE"), lent ? QDateTime(released.addYears(20), QTime(0, 0)) : zero);
            media.setParam(QStringLiteral("EDITION"), QStringLiteral("Standard"));
            media.setParam(QStringLiteral("SEQNUMBER"), i);
            media.setParam(QStringLiteral("MEDIATYPE_ID"), random.bounded(8));
            media.setParam(QStringLiteral("LOCATION"), QStringLiteral("Shelf %1").arg(i % 30));
            media.setParam(QStringLiteral("BUYPRICE"), 9.99);
            media.setParam(QStringLiteral("BUYDATE"), QDateTime(released.addYears(1), QTime(0, 0)));
            media.setParam(QStringLiteral("LEND_ID"), lent ? i % 10 : -1);
            media.setParam(QStringLiteral("ADDED"), QDateTime(QDate(2020, 1, 1).addDays(i % 1500), QTime(12, 0)));
            media.setParam(QStringLiteral("COVER"), cover);
            media.exec();

            movie.setParam(QStringLiteral("ID"), i);
            movie.setParam(QStringLiteral("TITLE"), title);
            movie.setParam(QStringLiteral("TITLESORT"), title);
            movie.setParam(QStringLiteral("STUDIO"), words(random, 1) + QStringLiteral(" Pictures"));
            movie.setParam(QStringLiteral("RELEASEDATE"), QDateTime(released, QTime(0, 0)));
            movie.setParam(QStringLiteral("THEATERDATE"), QDateTime(released.addDays(-90), QTime(0, 0)));
            movie.setParam(QStringLiteral("MOVIETIME"), 80 + random.bounded(100));
            movie.setParam(QStringLiteral("TAGLINE"), words(random, 6));
            movie.setParam(QStringLiteral("USERRATING"), random.bounded(11));
            movie.setParam(QStringLiteral("IMDBID"), 100000 + i);
            movie.setParam(QStringLiteral("CLIPPATH"),
                           i % 3 == 0 ? QStringLiteral("/trailers/%1.mp4").arg(i) : QString());
            movie.setParam(QStringLiteral("OUTLINE"), words(random, 20));
            movie.setTextBlobParam(QStringLiteral("PLOT"), words(random, 100));
            movie.setParam(QStringLiteral("CERT"), random.bounded(5));
            movie.setParam(QStringLiteral("COUNTRY"), QVariant());
            movie.setParam(QStringLiteral("WATCHED"), random.bounded(2));
            movie.setParam(QStringLiteral("LASTWATCHED"),
                           i % 2 ? QDateTime(QDate(2021, 5, 1).addDays(i % 700), QTime(0, 0)) : zero);
            movie.setParam(QStringLiteral("YEAR"), QString::number(released.year()));
            movie.setParam(QStringLiteral("IMDBRATING"), 1 + random.bounded(90) / 10.0);
            movie.setParam(QStringLiteral("THREED"), i % 17 == 0 ? 1 : 0);
            movie.setParam(QStringLiteral("FOURK"), i % 11 == 0 ? 1 : 0);
            movie.exec();

            // Distinct persons per movie: the castcrew index is unique on movie, person and role.
            const int first = random.bounded(personCount - 7) + 1;
            const struct
            {
                int role;
                int listIndex;
            } credits[] = {{0, 1}, {0, 2}, {0, 3}, {0, 4}, {0, 5}, {1, 1}, {3, 1}};
            for (int c = 0; c < 7; ++c) {
                castcrew.setParam(QStringLiteral("MOVIE"), i);
                castcrew.setParam(QStringLiteral("PERSON"), first + c);
                castcrew.setParam(QStringLiteral("ROLE"), credits[c].role);
                castcrew.setParam(QStringLiteral("LISTINDEX"), credits[c].listIndex);
                castcrew.setParam(QStringLiteral("CHARACTER"), credits[c].role == 0 ? words(random, 1) : QString());
                castcrew.exec();
            }
            const int g1 = random.bounded(9);
            for (int g : {g1, (g1 + 1 + random.bounded(8)) % 9}) {
                genre.setParam(QStringLiteral("MOVIE"), i);
                genre.setParam(QStringLiteral("GENRE"), g);
                genre.exec();
            }
        }
        db.commitRetaining();
    } catch (const FbError &e) {
        *error = e.message();
        return false;
    }
    return true;
}

} // namespace

bool OpenSyntheticCollection(TDM1 &dm, int movieCount, const QString &cacheFolder, QString *error)
{
    QDir().mkpath(cacheFolder);
    // The format number changes whenever the generator changes, so stale files are rebuilt.
    const QString stem = cacheFolder + QStringLiteral("/synthetic-%1-v1").arg(movieCount);
    const QString path = stem + QStringLiteral(".fdb");
    const QString marker = stem + QStringLiteral(".done");
    if (QFile::exists(path) && QFile::exists(marker)) {
        dm.MainConnection.disconnect();
        dm.MainConnection.setDatabaseName(path);
        if (dm.ConnectMainDatabase(error))
            return true;
    }
    QFile::remove(marker);
    if (!build(dm, movieCount, path, error))
        return false;
    QFile done(marker);
    done.open(QIODevice::WriteOnly);
    return true;
}

bool OpenSyntheticCollectionWithTitleIndex(TDM1 &dm, int movieCount, const QString &cacheFolder, QString *error)
{
    const QString stem = cacheFolder + QStringLiteral("/synthetic-%1-v1").arg(movieCount);
    const QString indexed = stem + QStringLiteral("-titleindex.fdb");
    const QString marker = stem + QStringLiteral("-titleindex.done");
    if (!QFile::exists(indexed) || !QFile::exists(marker)) {
        if (!OpenSyntheticCollection(dm, movieCount, cacheFolder, error))
            return false;
        dm.MainConnection.disconnect();
        QFile::remove(indexed);
        QFile::remove(marker);
        if (!QFile::copy(stem + QStringLiteral(".fdb"), indexed)) {
            *error = QStringLiteral("could not copy the collection");
            return false;
        }
        dm.MainConnection.setDatabaseName(indexed);
        if (!dm.ConnectMainDatabase(error))
            return false;
        try {
            FbQuery::execute(dm.MainConnection,
                             QStringLiteral("create index IDX_BENCH_MOVIE_TITLESORT on MOVIE (TITLESORT)"));
            dm.MainConnection.commitRetaining();
        } catch (const FbError &e) {
            *error = e.message();
            return false;
        }
        QFile done(marker);
        done.open(QIODevice::WriteOnly);
        return true;
    }
    dm.MainConnection.disconnect();
    dm.MainConnection.setDatabaseName(indexed);
    return dm.ConnectMainDatabase(error);
}
