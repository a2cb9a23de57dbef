#include "ui/ScreenshotMode.h"

#include "core/GlobalFunctions.h"
#include "ui/MainForm.h"

#include <QAction>
#include <QCoreApplication>
#include <QPixmap>
#include <QTimer>

#include <cstdio>

ScreenshotRequest ScreenshotRequestFromEnvironment()
{
    ScreenshotRequest request;
    request.output = qEnvironmentVariable("REELNEST_SCREENSHOT");
    request.database = qEnvironmentVariable("REELNEST_DATABASE");
    bool ok = false;
    const int node = qEnvironmentVariable("REELNEST_SELECT_NODE").toInt(&ok);
    if (ok)
        request.node = node;
    const int layout = qEnvironmentVariable("REELNEST_LAYOUT").toInt(&ok);
    if (ok && layout >= 1 && layout <= 3)
        request.layout = layout;
    const QStringList size = qEnvironmentVariable("REELNEST_WINDOW_SIZE").split(QLatin1Char('x'));
    if (size.size() == 2)
        request.size = QSize(size.at(0).toInt(), size.at(1).toInt());
    request.backstage = qEnvironmentVariable("REELNEST_BACKSTAGE") == QLatin1String("1");
    return request;
}

void PrepareScreenshotStart(const ScreenshotRequest &request)
{
    if (!request.database.isEmpty())
        WriteSettingString(QStringLiteral("DB Location"), QString(), request.database);
}

void ScheduleScreenshot(TMainFormRNZ_frm *window, const ScreenshotRequest &request)
{
    QTimer::singleShot(0, window, [window, request] {
        if (request.size.isValid() && !request.size.isEmpty())
            window->resize(request.size);
        if (request.node >= 0)
            window->ChangeViewIndex(request.node);
        if (QAction *layout = window->layoutAction(request.layout); layout && layout->isEnabled())
            layout->trigger();
        if (request.backstage)
            window->ShowBackstage(true);
        // Views load on this thread; the pause only lets the last paint and cover loads through.
        QTimer::singleShot(500, window, [window, request] {
            const bool saved = window->grab().save(request.output, "PNG");
            if (!saved)
                std::fprintf(stderr, "Could not write %s\n", qPrintable(request.output));
            window->close();
            QCoreApplication::exit(saved ? 0 : 1);
        });
    });
}
