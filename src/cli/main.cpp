#include "core/GlobalFunctions.h"
#include "core/Translations.h"
#include "core/UserInterface.h"
#include "database/DM1_u.h"
#include "database/FbConnection.h"
#include "database/FbError.h"
#include "database/FbQuery.h"
#include "online/DownloadQueue.h"
#include "online/IMDBConstantsUnit.h"
#include "online/IMDBDatabaseDatamodule.h"
#include "online/IMDBHelperClassUnit.h"
#include "online/IMDBRobotClassUnit.h"
#include "online/MovieDownloadLoop.h"
#include "online/TitleSearch.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextStream>

namespace {

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

int usage()
{
    err() << "usage: reelnest-cli create PATH\n"
             "       reelnest-cli info DATABASE\n"
             "       reelnest-cli title ID [--definitions FILE]\n"
             "       reelnest-cli add TITLE --database DATABASE [--id N] [--definitions FILE]\n";
    err().flush();
    return 2;
}

// A bare file name or relative path is a local file; host:path and host/port:path reach a server.
QString databaseString(const QString &argument)
{
    if (FbConnection::isLocalDatabaseString(argument) || !argument.contains(QLatin1Char(':')))
        return QFileInfo(argument).absoluteFilePath();
    return argument;
}

int createCommand(TDM1 &dm, const QString &path)
{
    if (!dm.CreateRNZDB(databaseString(path), false, true, false))
        return 1;
    out() << "created " << dm.MainConnection.databaseName() << Qt::endl;
    return 0;
}

int infoCommand(TDM1 &dm, const QString &database)
{
    dm.MainConnection.setDatabaseName(databaseString(database));
    QString error;
    if (!dm.ConnectMainDatabase(&error)) {
        err() << "Could not open " << dm.MainConnection.databaseName() << ":\n" << error << Qt::endl;
        return 1;
    }
    try {
        FbQuery info(dm.MainConnection);
        info.setSql(QStringLiteral("select VERSION, THUMBNAILSIZE from DB_INFO"));
        info.open();
        if (info.next()) {
            out() << "version " << info.value(QStringLiteral("VERSION")).toString() << '\n';
            out() << "thumbnailsize " << info.value(QStringLiteral("THUMBNAILSIZE")).toString() << '\n';
        }
        info.close();
        FbQuery tables(dm.MainConnection);
        tables.setSql(QStringLiteral("select trim(RDB$RELATION_NAME) as NAME from RDB$RELATIONS "
                                     "where coalesce(RDB$SYSTEM_FLAG, 0) = 0 and RDB$VIEW_BLR is null "
                                     "order by RDB$RELATION_NAME"));
        tables.open();
        while (tables.next()) {
            const QString table = tables.value(QStringLiteral("NAME")).toString();
            out() << table << ' '
                  << FbQuery::scalar(dm.MainConnection, QStringLiteral("select count(*) from ") + table).toString()
                  << '\n';
        }
        out().flush();
        return 0;
    } catch (const FbError &e) {
        err() << e.message() << Qt::endl;
        return 1;
    }
}

bool loadDefinitions(const QString &definitionsFile)
{
    QString error;
    const bool loaded =
        definitionsFile.isEmpty() ? LoadDefinitions(&error) : LoadDefinitionsFile(definitionsFile, &error);
    if (!loaded)
        err() << error << Qt::endl;
    return loaded;
}

// Reads one title page as a movie download would and prints what the parser found.
int titleCommand(const QString &id, const QString &definitionsFile)
{
    if (!loadDefinitions(definitionsFile))
        return 1;
    ForceDataFolders();
    TIMDBRobot robot;
    TIMDBMovie movie;
    movie.Id = id;
    if (!robot.DownloadMovieInformation(movie))
        return 1;

    const auto field = [](const char *name, const QString &value) { out() << name << ": " << value << '\n'; };
    field("Id", movie.Id);
    field("Title", movie.Title);
    field("OriginalTitle", movie.OriginalTitle);
    field("Year", movie.Year);
    for (const QString &genre : movie.GenreCollection)
        field("Genre", genre);
    field("Runtime", movie.Runtime);
    field("Country", movie.Country);
    field("Language", movie.Language);
    field("Tagline", movie.Tagline);
    field("MPAA", movie.MPAA);
    field("PlotOutline", movie.PlotOutline);
    field("Rating", movie.Rating);
    field("TheatreDate", movie.TheatreDate);
    field("Trailer", movie.Trailer);
    field("CoverURL", movie.CoverURL);
    field("CoverLocalFilename", movie.CoverLocalFilename);
    for (const TIMDBMovieCast &member : movie.CastCollection)
        field("Cast",
              QStringList{member.MoviePerson.Id, member.MoviePerson.Name, member.MovieRole, member.MoviePerson.ImageUrl}
                  .join(QStringLiteral(" | ")));
    for (const TIMDBMovieCast &member : movie.CreditsCollection)
        field("Credit", QStringList{member.Role.Name, member.MoviePerson.Id, member.MoviePerson.Name}.join(
                            QStringLiteral(" | ")));
    out().flush();
    return 0;
}

// The download window's operations as progress lines.
class PrintedDownloadView : public DownloadProgressView
{
public:
    void openProgress(int maxProgress) override { FMax = maxProgress; }
    void setProgress(int position) override { out() << "progress " << position << '/' << FMax << Qt::endl; }
    void showTitle(const QString &title) override { out() << "downloading " << title << Qt::endl; }
    void showOriginalTitle(const QString &) override {}
    void showTrivia(const QString &) override {}
    void showCover(const QString &fileName) override
    {
        if (!fileName.isEmpty())
            out() << "cover " << fileName << Qt::endl;
    }
    void showStatus(const QString &text) override { out() << "status " << text << Qt::endl; }
    void closeProgress() override {}

private:
    int FMax = 0;
};

// The hit to download: the one with the wanted IMDb number, or the first.
const TIMDBMovie *chooseHit(TIMDBRobot &robot, const QString &wantedId)
{
    for (const auto &movie : robot.MovieCollection()) {
        if (wantedId.isEmpty() || ImdbNumber(movie->Id) == ImdbNumber(wantedId))
            return movie.get();
    }
    return nullptr;
}

// Searches a title, takes the best hit (or the one with wantedId) and stores it as the Movie
// Query window's download does, with the default media type and region code and the next
// sequence number.
int addCommand(TDM1 &dm, const QString &title, const QString &database, const QString &wantedId,
               const QString &definitionsFile)
{
    if (!loadDefinitions(definitionsFile))
        return 1;
    ForceDataFolders();
    dm.MainConnection.setDatabaseName(databaseString(database));
    QString error;
    if (!dm.ConnectMainDatabase(&error)) {
        err() << "Could not open " << dm.MainConnection.databaseName() << ":\n" << error << Qt::endl;
        return 1;
    }
    out() << "searching " << title << Qt::endl;
    TIMDBRobot robot;
    if (!robot.DownloadTitleCollection(title, SearchEverything))
        return 1;
    for (const auto &movie : robot.MovieCollection())
        out() << "found " << movie->Id << ' ' << movie->Title << " (" << movie->Year << ')' << Qt::endl;
    const TIMDBMovie *hit = chooseHit(robot, wantedId);
    if (!hit) {
        err() << (wantedId.isEmpty() ? QStringLiteral("no title found for ") + title
                                     : QStringLiteral("no hit with the id ") + wantedId)
              << Qt::endl;
        return 1;
    }

    TIMDBDatabaseModule store;
    QList<TMediaType> mediaTypes;
    try {
        store.GetAllMediaTypes(&mediaTypes);
    } catch (const FbError &e) {
        err() << "Could not read the media types:\n" << e.message() << Qt::endl;
        return 1;
    }
    const int mediaType = DefaultMediaTypeIndex(mediaTypes);
    TDownloadQueue queue;
    QueueAssignment assignment;
    assignment.SeqNumber = queue.nextSeqNumber();
    assignment.RegionCode = ReadSettingInteger(QStringLiteral("Region Code"), QStringLiteral("Default Values"), 0);
    if (mediaType >= 0) {
        assignment.MediaTypeId = mediaTypes.at(mediaType).Id;
        assignment.MediaType = mediaTypes.at(mediaType).Name;
    }
    queue.add(QueuedCopy(*hit, assignment));
    out() << "queued " << hit->Id << ' ' << hit->Title << " as number " << assignment.SeqNumber << " ("
          << assignment.MediaType << ')' << Qt::endl;

    PrintedDownloadView view;
    const DownloadRunResult result = DownloadQueueToDatabase(queue, robot, store, view, QString());
    for (int movieId : result.movieIds)
        out() << "stored movie " << movieId << Qt::endl;
    for (const QString &title : result.notStored)
        err() << "not stored: " << title << ": " << result.notStoredError << Qt::endl;
    if (result.movieIds.isEmpty()) {
        err() << "nothing was stored" << Qt::endl;
        return 1;
    }
    return 0;
}

// Takes "--name VALUE" out of args; false when the option is there without a value.
bool takeOption(QStringList &args, const QString &name, QString *value)
{
    const qsizetype at = args.indexOf(name);
    if (at < 0)
        return true;
    if (at + 1 >= args.size())
        return false;
    *value = args.at(at + 1);
    args.remove(at, 2);
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    // Offscreen: the tool never opens a window, but pictures need the gui module's image code.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("reelnest-cli"));
    QStringList args = QCoreApplication::arguments().mid(1);
    QString definitionsFile;
    QString database;
    QString wantedId;
    if (!takeOption(args, QStringLiteral("--definitions"), &definitionsFile) ||
        !takeOption(args, QStringLiteral("--database"), &database) ||
        !takeOption(args, QStringLiteral("--id"), &wantedId) || args.size() != 2)
        return usage();
    const bool addOptions = !database.isEmpty() || !wantedId.isEmpty();

    if (LoadLanguageTexts() != TranslationLoad::Loaded)
        err() << "warning: the language file could not be loaded; texts will be empty" << Qt::endl;

    ConnectImageDownloader();
    const QString command = args.at(0);
    if (command == QLatin1String("add")) {
        if (database.isEmpty())
            return usage();
        TDM1 dm;
        return addCommand(dm, args.at(1), database, wantedId, definitionsFile);
    }
    if (addOptions)
        return usage();
    if (command == QLatin1String("title"))
        return titleCommand(args.at(1), definitionsFile);
    if (!definitionsFile.isEmpty())
        return usage();
    TDM1 dm;
    if (command == QLatin1String("create"))
        return createCommand(dm, args.at(1));
    if (command == QLatin1String("info"))
        return infoCommand(dm, args.at(1));
    return usage();
}
