#include "ui/ScreenshotMode.h"

#include "core/GlobalFunctions.h"
#include "database/DM1_u.h"
#include "database/FbQuery.h"
#include "editing/NewMovie.h"
#include "online/IMDBConstantsUnit.h"
#include "online/IMDBSearchMovieForm.h"
#include "ui/MainForm.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QPixmap>
#include <QTabWidget>
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
    const int editorTab = qEnvironmentVariable("REELNEST_EDITOR").toInt(&ok);
    if (ok && editorTab >= 1 && editorTab <= 8)
        request.editorTab = editorTab;
    request.movieQuery = qEnvironmentVariable("REELNEST_MOVIE_QUERY");
    request.definitions = qEnvironmentVariable("REELNEST_DEFINITIONS");
    return request;
}

namespace {

bool savePicture(QWidget *widget, const QString &output)
{
    const bool saved = widget->grab().save(output, "PNG");
    if (!saved)
        std::fprintf(stderr, "Could not write %s\n", qPrintable(output));
    return saved;
}

// The medium of the first movie; -1 when the collection has none.
double firstMovieMedium()
{
    try {
        const QVariant id = FbQuery::scalar(DM1().MainConnection,
                                            QStringLiteral("select first 1 MEDIA_ID from MOVIE order by MOVIE_ID"));
        return id.isNull() ? -1 : id.toDouble();
    } catch (const FbError &) {
        return -1;
    }
}

// Opens the editor modally; a timer inside its loop takes the picture and closes it.
void screenshotEditor(TMainFormRNZ_frm *window, const ScreenshotRequest &request)
{
    bool saved = false;
    QTimer::singleShot(500, window, [&saved, request] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            auto *editor = qobject_cast<TNewMovie_frm *>(widget);
            if (!editor || !editor->isVisible())
                continue;
            if (auto *tabs = editor->findChild<QTabWidget *>(QStringLiteral("EditorTabs")))
                tabs->setCurrentIndex(request.editorTab - 1);
            saved = savePicture(editor, request.output);
            editor->ChangesMadeToCurrentEntry = false;
            editor->close();
        }
    });
    EditMedia(window, firstMovieMedium(), StoredMovieEditorOptions());
    window->close();
    QCoreApplication::exit(saved ? 0 : 1);
}

// Searches in the "Movie Query" window and takes its picture once the results are listed.
void screenshotMovieQuery(TMainFormRNZ_frm *window, const ScreenshotRequest &request)
{
    QString error;
    if (!request.definitions.isEmpty() && !LoadDefinitionsFile(request.definitions, &error))
        std::fprintf(stderr, "%s\n", qPrintable(error));
    QWidget *form = OpenSearchMovieDialogOn(window, request.movieQuery);
    QTimer::singleShot(500, window, [window, form, request] {
        const bool saved = savePicture(form, request.output);
        delete form;
        window->close();
        QCoreApplication::exit(saved ? 0 : 1);
    });
}

} // namespace

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
        if (request.editorTab > 0) {
            screenshotEditor(window, request);
            return;
        }
        if (!request.movieQuery.isEmpty()) {
            screenshotMovieQuery(window, request);
            return;
        }
        // Views load on this thread; the pause only lets the last paint and cover loads through.
        QTimer::singleShot(500, window, [window, request] {
            const bool saved = savePicture(window, request.output);
            window->close();
            QCoreApplication::exit(saved ? 0 : 1);
        });
    });
}
