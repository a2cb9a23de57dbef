#pragma once

#include "database/DM1_u.h"
#include "ui/EmbeddedViewManager.h"
#include "views/ViewHost.h"

#include <QDate>
#include <QFileInfo>
#include <QStringList>
#include <QWidget>

// Stands for the view manager and writes down what the window asks of it, with the collection
// that was open at that moment.
class FakeViewManager : public EmbeddedViewManager
{
public:
    FakeViewManager(ViewHost *host, QWidget *parent, QStringList *log)
        : m_host(host)
        , m_form(new QWidget(parent))
        , m_log(log)
    {
        last = this;
    }
    ~FakeViewManager() override
    {
        if (last == this)
            last = nullptr;
    }

    QWidget *form() const override { return m_form; }
    int viewCurrentTable() const override { return m_table; }
    int viewCurrentType() const override { return m_type; }
    void setViewCurrentTable(int table) override { m_table = table; }
    void setViewCurrentType(int type) override { m_type = type; }
    QString viewUserViewName() const override { return m_userView; }
    void changeView(int node, const QString &caption) override
    {
        m_userView = node >= 9 ? caption : QString();
        record(QStringLiteral("changeView %1 %2").arg(node).arg(m_table));
        m_host->setRecordCountText(QStringLiteral("%1 records").arg(m_table));
        m_host->viewKindChanged(m_table, m_type);
    }
    void switchLayout(int type) override
    {
        m_type = type;
        record(QStringLiteral("switchLayout %1").arg(type));
        m_host->viewKindChanged(m_table, m_type);
    }
    void saveCurrentView() override { record(QStringLiteral("saveCurrentView")); }
    void saveToRegistry() override { record(QStringLiteral("saveToRegistry")); }
    void refreshViewDatasets() override { record(QStringLiteral("refreshViewDatasets")); }
    void initGridModeSettings() override { record(QStringLiteral("initGridModeSettings")); }
    void applyStoredThumbnailSize() override { record(QStringLiteral("applyStoredThumbnailSize")); }
    void updateThumbnailHeight(int size) override { record(QStringLiteral("updateThumbnailHeight %1").arg(size)); }
    QString lastSqlLine() const override { return orderLine; }
    QString dataSourceName() const override { return m_table == 10 ? QStringLiteral("ds_Movie") : QString(); }
    void emptyMovieQuery() override { record(QStringLiteral("emptyMovieQuery")); }
    void focusGrid() override {}
    void discardState() override { record(QStringLiteral("discardState")); }

    bool viewHasRows() const override { return rows; }
    bool focusedOnLoan() const override { return onLoan; }
    void openEntry() override { record(QStringLiteral("openEntry")); }
    void deleteSelected() override { record(QStringLiteral("deleteSelected")); }
    void setRating(int rating) override { record(QStringLiteral("setRating %1").arg(rating)); }
    void setLastWatched(const QDate &date) override
    {
        record(QStringLiteral("setLastWatched ") + date.toString(Qt::ISODate));
    }
    void returnLoan() override { record(QStringLiteral("returnLoan")); }
    void playTrailer() override { record(QStringLiteral("playTrailer")); }
    void openImdbPage() override { record(QStringLiteral("openImdbPage")); }
    void coverFromClipboard() override { record(QStringLiteral("coverFromClipboard")); }
    void setContextMenus(QMenu *entries, QMenu *persons, QMenu *searchBox) override
    {
        entriesMenu = entries;
        personsMenu = persons;
        searchBoxMenu = searchBox;
    }

    static inline QString orderLine;
    // The one embedded at the moment.
    static inline FakeViewManager *last = nullptr;
    bool rows = true;
    bool onLoan = false;
    QMenu *entriesMenu = nullptr;
    QMenu *personsMenu = nullptr;
    QMenu *searchBoxMenu = nullptr;

private:
    // Each entry names the collection file that was open, so a save into the wrong one shows.
    void record(const QString &call) { m_log->append(call + QStringLiteral(" @") + GetCurrentDatabaseFileName()); }

    ViewHost *m_host;
    QWidget *m_form;
    QStringList *m_log;
    int m_table = 10;
    int m_type = 2;
    QString m_userView;
};
