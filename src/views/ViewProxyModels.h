#pragma once

#include <QAbstractProxyModel>
#include <QList>
#include <QSet>
#include <QSortFilterProxyModel>
#include <QStringList>
#include <QVector>

class BrowseQuery;

// The in-memory work of the normal data mode on a browse query: sorting by a column (text columns
// by their sortable companion, TITLE by TITLESORT and so on) and the find panel's filter, which
// keeps the records whose shown fields contain the text.
class ViewSortFilterProxy : public QSortFilterProxyModel
{
    Q_OBJECT
public:
    explicit ViewSortFilterProxy(QObject *parent = nullptr);

    void setBrowseQuery(BrowseQuery *query);
    BrowseQuery *browseQuery() const { return m_query; }

    // The text the find panel holds; empty shows every record.
    void setFindText(const QString &text);
    QString findText() const { return m_findText; }
    // The fields the find panel looks in: the fields the grid shows.
    void setFindFields(const QStringList &fields);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;

private:
    BrowseQuery *m_query = nullptr;
    QString m_findText;
    QStringList m_findFields;
};

// Groups the rows of its source by the text of one column: a header row before each group's rows,
// the groups in order of their text, the rows of a group in the order of the source. A collapsed
// group shows its header only. Without a group column every source row passes through.
class GroupProxyModel : public QAbstractProxyModel
{
    Q_OBJECT
public:
    enum Role {
        GroupHeaderRole = Qt::UserRole + 50, // true on a header row
        GroupCollapsedRole,                  // true on the header of a collapsed group
    };

    explicit GroupProxyModel(QObject *parent = nullptr);

    void setSourceModel(QAbstractItemModel *source) override;
    // The source column to group by; -1 for none.
    void setGroupColumn(int column);
    int groupColumn() const { return m_groupColumn; }

    bool isGroupHeader(int row) const;
    // The source rows of the group a header row leads, collapsed or not.
    QList<int> sourceRowsOfGroup(int headerRow) const;
    void toggleCollapsed(int headerRow);

    QModelIndex mapToSource(const QModelIndex &proxyIndex) const override;
    QModelIndex mapFromSource(const QModelIndex &sourceIndex) const override;
    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    struct Entry
    {
        int group;
        int sourceRow; // -1 on a header row
    };
    void rebuild();
    void mapping();
    void sourceDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight, const QList<int> &roles);

    int m_groupColumn = -1;
    QVector<Entry> m_entries;
    QVector<int> m_proxyRowOfSource;
    QStringList m_groupTexts;
    QVector<QList<int>> m_groupRows;
    QSet<QString> m_collapsed;
    QList<QMetaObject::Connection> m_connections;
};
