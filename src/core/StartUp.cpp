#include "core/StartUp.h"

#include "core/GlobalFunctions.h"
#include "core/Splash.h"
#include "core/WidgetsUserInterface.h"
#include "database/DM1_u.h"
#include "online/IMDBConstantsUnit.h"
#include "online/IMDBHelperClassUnit.h"
#include "ui/MainForm.h"
#include "ui/ScreenshotMode.h"

#include <QDir>
#include <QLocalSocket>
#include <QLockFile>
#include <QPointer>

#include <memory>

namespace {

QString userTag()
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty())
        user = qEnvironmentVariable("USERNAME");
    return KeepAlphanumerics(user);
}

// Brings the running instance forward, if it listens.
void wakeRunningInstance()
{
    QLocalSocket socket;
    socket.connectToServer(InstanceServerName());
    socket.waitForConnected(500);
}

} // namespace

ReelnestApplication::ReelnestApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{}

bool ReelnestApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        userInterface().showApplicationError(QString::fromUtf8(e.what()));
    }
    return false;
}

QString InstanceServerName()
{
    return QStringLiteral("Virelon-Reelnest-") + userTag();
}

QString InstanceLockFilePath()
{
    return QDir::tempPath() + QStringLiteral("/Virelon-Reelnest-") + userTag() + QStringLiteral(".lock");
}

int RunReelnest(int argc, char **argv)
{
    ReelnestApplication app(argc, argv);
    WidgetsUserInterface ui;

    QLockFile instanceLock(InstanceLockFilePath());
    // A lock left by a crashed program is stale by its dead process, never by its age.
    instanceLock.setStaleLockTime(0);
    if (!instanceLock.tryLock(0)) {
        wakeRunningInstance();
        ui.showMessage(MessageKind::Information, QStringLiteral("Reelnest is already running."), MessageButtons::Ok);
        return 0;
    }

    QApplication::setApplicationName(QStringLiteral("Reelnest"));
    QApplication::setApplicationDisplayName(QStringLiteral("Reelnest"));
    QApplication::setOrganizationName(QStringLiteral("Virelon"));

    auto splash = std::make_unique<TSplash_frm>();
    if (ReadSettingBool(QStringLiteral("ShowSplash"), QStringLiteral("Options"), true))
        splash->show();
    QCoreApplication::processEvents();

    TMainFormRNZ_frm mainWindow;
    if (!mainWindow.LoadTranslation())
        return ui.requestedExitCode();
    mainWindow.translate();
    mainWindow.onFirstShow = [&splash] { splash.reset(); };
    // The scrapers' definitions and their daily update check, told to the main window.
    const QPointer<TMainFormRNZ_frm> window(&mainWindow);
    OnUpdateNotice = [window](const UpdateNotice &notice) {
        if (window)
            window->SetUpdateNotice(notice.url);
    };
    onlineHooks().mainStatusText = [window](int, const QString &text) {
        if (window)
            window->setStatusText(text);
    };
    ConnectImageDownloader();
    mainWindow.downloadUpdateInstaller = [](const QString &url, const QString &target) {
        return DownloadToFile(url, target);
    };
    StartDefinitions();

    TDM1 dataModule;
    ui.createWaitWindow(&mainWindow);
    dataModule.hooks.translateMainWindow = [&mainWindow] {
        if (mainWindow.LoadTranslation())
            mainWindow.translate();
    };
    dataModule.hooks.decideGridMode = [&mainWindow, &dataModule](bool, int movieCount) {
        const bool option = ReadSettingBool(QStringLiteral("UseOptimizedMode"), QStringLiteral("Options"), true);
        mainWindow.UseGridMode = DecideOptimizedMode(option, movieCount, dataModule.MainConnection.databaseName());
    };
    dataModule.hooks.refillDatabaseSelector = [&mainWindow] { mainWindow.RefreshDatabaseSelector(); };
    const ScreenshotRequest screenshot = ScreenshotRequestFromEnvironment();
    if (screenshot.active())
        PrepareScreenshotStart(screenshot);
    const bool started = dataModule.Startup();
    // A language file that could not be loaded after the first-start dialog ends the program even
    // when a database was opened.
    if (ui.endRequested())
        return ui.requestedExitCode();
    if (!started)
        return 0;

    mainWindow.show();
    if (screenshot.active())
        ScheduleScreenshot(&mainWindow, screenshot);
    return app.exec();
}
