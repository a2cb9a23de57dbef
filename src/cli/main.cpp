#include "core/GlobalFunctions.h"
#include "core/Translations.h"
#include "core/UserInterface.h"
#include "database/DM1_u.h"
#include "database/FbConnection.h"
#include "database/FbQuery.h"
#include "online/IMDBConstantsUnit.h"
#include "online/IMDBHelperClassUnit.h"
#include "online/IMDBRobotClassUnit.h"

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
             "       reelnest-cli title ID [--definitions FILE]\n";
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

// Reads one title page as a movie download would and prints what the parser found.
int titleCommand(const QString &id, const QString &definitionsFile)
{
    QString error;
    const bool loaded =
        definitionsFile.isEmpty() ? LoadDefinitions(&error) : LoadDefinitionsFile(definitionsFile, &error);
    if (!loaded) {
        err() << error << Qt::endl;
        return 1;
    }
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
    const qsizetype definitionsAt = args.indexOf(QStringLiteral("--definitions"));
    if (definitionsAt >= 0) {
        if (definitionsAt + 1 >= args.size())
            return usage();
        definitionsFile = args.at(definitionsAt + 1);
        args.remove(definitionsAt, 2);
    }
    if (args.size() != 2)
        return usage();

    if (LoadLanguageTexts() != TranslationLoad::Loaded)
        err() << "warning: the language file could not be loaded; texts will be empty" << Qt::endl;

    ConnectImageDownloader();
    const QString command = args.at(0);
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
