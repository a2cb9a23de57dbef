#include "core/FirstStart.h"

#include "core/GlobalFunctions.h"
#include "core/TextNumbers.h"
#include "core/UserInterface.h"
#include "database/DM1_u.h"

#include <QDir>
#include <QFileInfo>

namespace {
void inform(const QString &text)
{
    userInterface().showMessage(MessageKind::Information, text, MessageButtons::Ok);
}

bool isNetworkPath(const QString &path)
{
    return path.contains(QStringLiteral("\\\\")) || path.startsWith(QStringLiteral("//"));
}
} // namespace

QString DefaultFirstStartPath()
{
#ifdef Q_OS_WIN
    return QStringLiteral("c:\\Reelnest Databases\\My Database.fdb");
#else
    return QDir::homePath() + QStringLiteral("/Reelnest Databases/My Database.fdb");
#endif
}

bool FirstStartAccept(QString *path)
{
    if (isNetworkPath(*path)) {
        inform(QStringLiteral("The database need to be created on the local harddrive. Please modify the database "
                              "path."));
        return false;
    }
    if (path->contains(QLatin1Char('\''))) {
        inform(QStringLiteral("The database engine do not allow ' symbols in the path or filename. Please modify the "
                              "database path."));
        return false;
    }
    if (!path->toLower().contains(QStringLiteral(".fdb")))
        *path += QStringLiteral(".fdb");

    TDM1 &dm = DM1();
    if (!QFileInfo::exists(*path)) {
        QDir().mkpath(QFileInfo(*path).absolutePath());
        // Without a demo collection to restore, a new collection needs its default rows.
        const bool demoShipped = QFileInfo::exists(GetProgramFolder() + QStringLiteral("/demo.bak"));
        if (!dm.CreateRNZDB(*path, true, !demoShipped, true))
            return false;
    }
    dm.OpenDatabase(*path);
    if (!dm.ConnectMainDatabase()) {
        userInterface().setBusyCursor(false);
        inform(GetText(Txt::DatabaseCouldNotBeOpened));
        return false;
    }
    return true;
}
