#include "core/GlobalFunctions.h"
#include "core/Translations.h"
#include "core/UserInterface.h"
#include "database/DM1_u.h"
#include "database/FbConnection.h"
#include "database/FbQuery.h"

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
             "       reelnest-cli info DATABASE\n";
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

} // namespace

int main(int argc, char **argv)
{
    // Offscreen: the tool never opens a window, but pictures need the gui module's image code.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("reelnest-cli"));
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() != 2)
        return usage();

    if (LoadLanguageTexts() != TranslationLoad::Loaded)
        err() << "warning: the language file could not be loaded; texts will be empty" << Qt::endl;

    TDM1 dm;
    const QString command = args.at(0);
    if (command == QLatin1String("create"))
        return createCommand(dm, args.at(1));
    if (command == QLatin1String("info"))
        return infoCommand(dm, args.at(1));
    return usage();
}
