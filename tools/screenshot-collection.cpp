// Makes a small invented collection for tools/screenshot: a dozen movies with drawn covers,
// ratings, running times, a loan, a trailer and a few people, so every layout has something to
// show.
//
//   screenshot-collection PATH.fdb

#include "core/GlobalFunctions.h"
#include "core/Translations.h"
#include "database/DM1_u.h"
#include "database/FbQuery.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include <cstdio>

namespace {

struct DemoMovie
{
    const char *title;
    const char *tagline;
    int year;
    int minutes;
    int rating;
    QColor color;
};

QByteArray cover(const DemoMovie &movie, const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, 0, size.height());
    gradient.setColorAt(0, movie.color.lighter(140));
    gradient.setColorAt(1, movie.color.darker(180));
    painter.fillRect(image.rect(), gradient);
    painter.setPen(QColor(255, 255, 255, 60));
    for (int i = 0; i < 6; ++i)
        painter.drawEllipse(QPointF(size.width() * 0.7, size.height() * 0.3), 20.0 + i * 18, 20.0 + i * 18);
    QFont font;
    font.setBold(true);
    font.setPixelSize(size.width() / 8);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(10, size.height() / 2, size.width() - 20, size.height() / 2 - 10),
                     Qt::AlignHCenter | Qt::AlignBottom | Qt::TextWordWrap, QString::fromUtf8(movie.title));
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 85);
    return bytes;
}

// The first medium gets what the movie editor shows: a second content, a back cover and the
// lists of its first movie.
void addEditorDetails(FbConnection &db, const DemoMovie &first)
{
    const QStringList statements = {
        "insert into MOVIE (MEDIA_ID, MOVIE_ID, LISTINDEX, TITLE, TITLESORT, MOVIETIME, USERRATING, DISCNO) values "
        "(1, 13, 2, 'The Lighthouse Keeper: Behind the Light', 'lighthouse keeper: behind the light', 48, 6, 1)",
        "update MOVIE set ORIGTITLE = TITLE, STUDIO = 'Harbour Light Pictures', RELEASEDATE = '2014-09-12', "
        "LASTWATCHEDDATE = '2024-02-17', IMDBID = 1234567, OFFICIALSITE = 'https://example.org/lighthouse', "
        "PLOT = 'A keeper on a remote island finds a message in the lamp room.', BUDGET = 4500000, "
        "GROSSREVENUE = 12800000, IMDBRATING = 7.8, ROTTEN_RATING = 91 where MOVIE_ID = 1",
        "update MEDIA set EDITION = 'Collector''s Edition', UPC = '5051234567890', STATUS = 'Owned', "
        "BUYDATE = '2023-11-24', BUYPRICE = 19.99, NOOFDISCS = 2, MEDIAOWNER = 'Mara' where MEDIA_ID = 1",
        "insert into GENRE (MOVIE_ID, GENRE_ID) select 1, GENRE_ID from GENRELIST where NAME = 'Drama'",
        "insert into FEATURES (MOVIE_ID, AUTOINDEX, NAME) values (1, 1, 'Making-of')",
        "insert into FEATURES (MOVIE_ID, AUTOINDEX, NAME) values (1, 2, 'Director''s commentary')",
        "insert into FEATURES (MOVIE_ID, AUTOINDEX, NAME) values (1, 3, 'Deleted scenes')",
        "insert into FILMINGLOCATION (MOVIE_ID, AUTOINDEX, NAME) values (1, 1, 'Lofoten, Norway')",
        "insert into SOUNDTRACK (MOVIE_ID, AUTOINDEX, TITLE, PERFORMER) values (1, 1, 'Beacon', 'The Tidewater "
        "Quartet')",
        "insert into KEYWORDLIST (KEYWORD_ID, NAME) values (1, 'Lighthouse')",
        "insert into KEYWORD (MOVIE_ID, KEYWORD_ID) values (1, 1)",
    };
    for (const QString &statement : statements)
        FbQuery::execute(db, statement);
    FbQuery back(db);
    back.setSql(QStringLiteral("update MEDIA_GFX set BACKCOVER_BLOB = :COVER where MEDIA_ID = 1"));
    DemoMovie backSide = first;
    backSide.color = first.color.darker(130);
    back.setParam(QStringLiteral("COVER"), cover(backSide, QSize(400, 574)));
    back.exec();
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: screenshot-collection PATH.fdb\n");
        return 2;
    }
    LoadLanguageTexts();
    ForceDataFolders();
    const QString path = QFileInfo(args.at(1)).absoluteFilePath();
    TDM1 dm;
    if (!dm.CreateRNZDB(path, false, true, false))
        return 1;

    const QList<DemoMovie> movies = {
        {"The Lighthouse Keeper", "Some lights never go out.", 2014, 112, 8, QColor(40, 90, 150)},
        {"Orchard of Glass", "Everything breaks in time.", 2009, 97, 7, QColor(60, 130, 80)},
        {"Midnight Ferry", "The last crossing.", 2019, 124, 9, QColor(30, 40, 90)},
        {"Paper Comets", "Dream small. Fly far.", 2021, 88, 6, QColor(200, 120, 40)},
        {"The Quiet Cartographer", "Every map hides a way home.", 2011, 131, 10, QColor(120, 80, 60)},
        {"Salt and Thunder", "The sea keeps score.", 2004, 109, 5, QColor(50, 110, 130)},
        {"Velvet Static", "Tune in. Drop out.", 1998, 101, 7, QColor(130, 40, 110)},
        {"A Winter in Lisbon", "Love arrives by tram.", 2016, 118, 8, QColor(170, 60, 60)},
        {"Copper Canyon Run", "Two brothers. One race.", 1987, 95, 6, QColor(180, 90, 30)},
        {"Northbound", "The road remembers.", 2023, 142, 9, QColor(70, 70, 80)},
        {"Garden of Echoes", "Listen closely.", 2007, 54, 4, QColor(90, 140, 60)},
        {"The Clockmaker's Daughter", "Time is a family business.", 2013, 126, 8, QColor(110, 90, 40)},
    };
    const QStringList people = {"Mara Ellison",     "Jonas Reyes",      "Ines Okafor",
                                "Tobias Lindqvist", "Priya Nandakumar", "Felix Hartmann"};
    try {
        FbConnection &db = dm.MainConnection;
        FbQuery::execute(db, QStringLiteral("insert into LENDLIST (LEND_ID, NAME, PHONE) values (1, 'Sam Okoro', "
                                            "'555-0142')"));
        FbQuery media(db);
        media.setSql(QStringLiteral(
            "insert into MEDIA (MEDIA_ID, TITLE, TITLESORT, MEDIATIME, MEDIATYPE_ID, SEQNUMBER, LOCATION, LEND_ID, "
            "LENDDATE, DATE_ADDED, FRONTCOVER_BLOB) values (:ID, :TITLE, :TITLE, :MINUTES, :TYPE, :ID, :LOCATION, "
            ":LEND, :LENDDATE, current_timestamp, :COVER)"));
        FbQuery gfx(db);
        gfx.setSql(QStringLiteral("insert into MEDIA_GFX (MEDIA_ID, FRONTCOVER_BLOB) values (:ID, :COVER)"));
        FbQuery movie(db);
        movie.setSql(QStringLiteral(
            "insert into MOVIE (MEDIA_ID, MOVIE_ID, LISTINDEX, TITLE, TITLESORT, TAGLINE, PRODUCTIONYEAR, "
            "MOVIETIME, USERRATING, WATCHED, CLIPPATH, THREED_ENABLED, FOURK_ENABLED, PLOTOUTLINE, THEATERDATE) "
            "values (:ID, :ID, 1, :TITLE, :TITLE, :TAGLINE, :YEAR, :MINUTES, :RATING, :WATCHED, :CLIP, :THREED, "
            ":FOURK, :OUTLINE, :THEATERDATE)"));
        for (int i = 0; i < movies.size(); ++i) {
            const DemoMovie &m = movies.at(i);
            const int id = i + 1;
            const QString title = QString::fromUtf8(m.title);
            media.setParam(QStringLiteral("ID"), id);
            media.setParam(QStringLiteral("TITLE"), title);
            media.setParam(QStringLiteral("MINUTES"), m.minutes);
            media.setParam(QStringLiteral("TYPE"), i % 3 == 0 ? 4 : 1);
            media.setParam(QStringLiteral("LOCATION"), QStringLiteral("Shelf %1").arg(QChar(u'A' + i % 4)));
            media.setParam(QStringLiteral("LEND"), i == 2 ? 1 : -1);
            media.setParam(QStringLiteral("LENDDATE"), i == 2 ? QVariant(QDate(2024, 3, 2)) : QVariant());
            media.setParam(QStringLiteral("COVER"), cover(m, QSize(200, 287)));
            media.exec();
            gfx.setParam(QStringLiteral("ID"), id);
            gfx.setParam(QStringLiteral("COVER"), cover(m, QSize(400, 574)));
            gfx.exec();
            movie.setParam(QStringLiteral("ID"), id);
            movie.setParam(QStringLiteral("TITLE"), title);
            movie.setParam(QStringLiteral("TAGLINE"), QString::fromUtf8(m.tagline));
            movie.setParam(QStringLiteral("YEAR"), QString::number(m.year));
            movie.setParam(QStringLiteral("MINUTES"), m.minutes);
            movie.setParam(QStringLiteral("RATING"), m.rating);
            movie.setParam(QStringLiteral("WATCHED"), i % 2);
            movie.setParam(QStringLiteral("CLIP"), i % 4 == 1 ? QStringLiteral("trailer.mp4") : QString());
            movie.setParam(QStringLiteral("THREED"), i == 5 ? 1 : 0);
            movie.setParam(QStringLiteral("FOURK"), i % 5 == 0 ? 1 : 0);
            movie.setParam(QStringLiteral("OUTLINE"), QString::fromUtf8(m.tagline));
            movie.setParam(QStringLiteral("THEATERDATE"), QDate(m.year, 1 + i % 12, 10));
            movie.exec();
            FbQuery::execute(
                db, QStringLiteral("insert into GENRE (MOVIE_ID, GENRE_ID) values (%1, %2)").arg(id).arg(i % 9));
        }
        addEditorDetails(db, movies.first());
        for (int p = 0; p < people.size(); ++p) {
            FbQuery::execute(db, QStringLiteral("insert into PERSON (PERSON_ID, NAME, BIRTHYEAR) values (%1, %2, "
                                                "'%3')")
                                     .arg(p + 1)
                                     .arg(QuotedStr(people.at(p)))
                                     .arg(1950 + p * 7));
            for (int m = p; m < movies.size(); m += people.size())
                FbQuery::execute(db, QStringLiteral("insert into CASTCREW (MOVIE_ID, PERSON_ID, ROLE_ID, LISTINDEX) "
                                                    "values (%1, %2, 1, 1)")
                                         .arg(m + 1)
                                         .arg(p + 1));
        }
        db.commitRetaining();
    } catch (const FbError &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
    std::printf("%s\n", qPrintable(path));
    return 0;
}
