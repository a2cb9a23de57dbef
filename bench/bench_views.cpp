// Measures the movies view on synthetic collections: opening it in the optimized and the normal
// data mode until the first screen of rows is painted, reading to the last row, refreshing,
// switching layouts, and the peak memory of the process. One line per figure.
//
//   bench-views                  both sizes (3,000 and 50,000), each in its own process
//   bench-views --size N         one size in this process
//   bench-views --title-index    the optimized mode on a copy with an index on MOVIE.TITLESORT
//   bench-views --cache DIR      where the built collections are kept (default: temp folder)
//   bench-views --shots DIR      also writes a PNG of each layout

#include "SyntheticCollection.h"

#include "core/GlobalFunctions.h"
#include "core/Translations.h"
#include "database/DM1_u.h"
#include "views/BrowseQuery.h"
#include "views/ViewHost.h"
#include "views/ViewManager.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>

namespace {

class BenchHost : public ViewHost
{
public:
    bool useGridMode() const override { return gridMode; }
    void setRecordCountText(const QString &text) override { countText = text; }
    void setStatusText(const QString &) override {}
    void setOptimizedIndicator(bool) override {}
    void viewKindChanged(int, int) override {}
    bool isTerminating() const override { return false; }

    bool gridMode = false;
    QString countText;
};

void report(int size, const char *mode, const char *figure, double value, const char *unit)
{
    std::printf("%d movies, %-9s %-40s %9.1f %s\n", size, mode, figure, value, unit);
    std::fflush(stdout);
}

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0; // kilobytes on Linux
}

// Paints the view manager once, as the screen would: the first screen is ready when it is drawn.
void paint(TViewManager_frm &vm)
{
    QCoreApplication::processEvents();
    vm.grab();
}

void runOneMode(TDM1 &dm, int size, bool optimized, const QString &shots, const char *mode)
{
    BenchHost host;
    host.gridMode = optimized;
    TViewManager_frm vm(&host);
    vm.resize(1280, 800);
    vm.show();
    QCoreApplication::processEvents();
    QElapsedTimer timer;

    for (const int type : {ViewType::List, ViewType::Thumbnails}) {
        for (const bool again : {false, true}) {
            dm.CloseViewDatasets();
            dm.qry_Movie.SQL.clear();
            vm.setViewCurrentTable(ViewKind::Movies);
            vm.setViewCurrentType(type);
            timer.start();
            vm.ChangeView(1, QStringLiteral("Movies"));
            paint(vm);
            const QByteArray figure = QByteArray("open movies, first screen (") +
                                      (type == ViewType::List ? "list" : "thumbnails") + (again ? ", again)" : ")");
            report(size, mode, figure.constData(), timer.nsecsElapsed() / 1e6, "ms");
        }
    }
    if (host.countText.isEmpty())
        std::printf("warning: no record count was shown\n");

    vm.SwitchLayout(ViewType::List);
    BrowseQuery &query = dm.qry_Movie;
    timer.start();
    while (query.canFetchMore(QModelIndex()))
        query.fetchMore(QModelIndex());
    vm.focusedGridView()->scrollToBottom();
    paint(vm);
    report(size, mode, "fetch to the last row (list)", timer.nsecsElapsed() / 1e6, "ms");
    report(size, mode, "rows read", query.rowCount(), "rows");

    timer.start();
    vm.focusedGridView()->selectAll();
    paint(vm);
    report(size, mode, "select all records (count text follows)", timer.nsecsElapsed() / 1e6, "ms");
    vm.focusedGridView()->clearSelection();

    timer.start();
    vm.RefreshViewDatasets();
    paint(vm);
    report(size, mode, "RefreshViewDatasets", timer.nsecsElapsed() / 1e6, "ms");

    for (const int type : {ViewType::Thumbnails, ViewType::Cards, ViewType::List}) {
        timer.start();
        vm.SwitchLayout(type);
        paint(vm);
        const char *names[] = {"", "switch layout to list", "switch layout to thumbnails", "switch layout to cards"};
        report(size, mode, names[type], timer.nsecsElapsed() / 1e6, "ms");
        if (!shots.isEmpty()) {
            QDir().mkpath(shots);
            vm.grab().save(shots + QStringLiteral("/movies-%1-%2-%3.png").arg(size).arg(mode).arg(type));
        }
    }
    vm.CloseForm();
}

int runSize(int size, const QString &cache, const QString &shots, bool titleIndex)
{
    TDM1 dm;
    QString error;
    QElapsedTimer timer;
    timer.start();
    const bool ready = titleIndex ? OpenSyntheticCollectionWithTitleIndex(dm, size, cache, &error)
                                  : OpenSyntheticCollection(dm, size, cache, &error);
    if (!ready) {
        std::fprintf(stderr, "could not build the collection: %s\n", qPrintable(error));
        return 1;
    }
    if (titleIndex) {
        runOneMode(dm, size, true, QString(), "indexed");
        report(size, "indexed", "peak memory", peakMegabytes(), "MB");
        return 0;
    }
    report(size, "", "collection ready (built or cached)", timer.nsecsElapsed() / 1e6, "ms");
    report(size, "", "peak memory before the views", peakMegabytes(), "MB");
    runOneMode(dm, size, true, shots, "optimized");
    report(size, "optimized", "peak memory", peakMegabytes(), "MB");
    runOneMode(dm, size, false, shots, "normal");
    report(size, "", "peak memory (both modes)", peakMegabytes(), "MB");
    return 0;
}

QString argument(const QStringList &args, const QString &name)
{
    const qsizetype at = args.indexOf(name);
    return at >= 0 && at + 1 < args.size() ? args.at(at + 1) : QString();
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Settings and data folders of our own: the benchmark never touches the user's.
    static QTemporaryDir home(QDir::tempPath() + QStringLiteral("/reelnest-bench-XXXXXX"));
    for (const char *name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
        qputenv(name, (home.path() + QLatin1Char('/') + QLatin1String(name)).toLocal8Bit());
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString cache = argument(args, QStringLiteral("--cache")).isEmpty()
                              ? QDir::tempPath() + QStringLiteral("/reelnest-bench-collections")
                              : argument(args, QStringLiteral("--cache"));
    const QString shots = argument(args, QStringLiteral("--shots"));
    const QString size = argument(args, QStringLiteral("--size"));
    if (size.isEmpty()) {
        // Each size in a process of its own, so that each peak memory is its own.
        int result = 0;
        for (const char *n : {"3000", "50000", "50000i"}) {
            const QString count = QString::fromLatin1(n).remove(QLatin1Char('i'));
            QStringList childArgs = {QStringLiteral("--size"), count, QStringLiteral("--cache"), cache};
            if (QByteArray(n).endsWith('i'))
                childArgs << QStringLiteral("--title-index");
            if (!shots.isEmpty())
                childArgs << QStringLiteral("--shots") << shots;
            QProcess child;
            child.setProcessChannelMode(QProcess::ForwardedChannels);
            child.start(QCoreApplication::applicationFilePath(), childArgs);
            child.waitForFinished(-1);
            result |= child.exitCode();
        }
        return result;
    }
    ForceDataFolders();
    if (LoadLanguageTexts() != TranslationLoad::Loaded) {
        std::fprintf(stderr, "the language file was not found beside the program\n");
        return 1;
    }
    return runSize(size.toInt(), cache, shots, args.contains(QStringLiteral("--title-index")));
}
