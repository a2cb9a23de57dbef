#include "views/ViewProxyModels.h"

#include "views/BrowseQuery.h"
#include "views/ViewFields.h"

#include <QCollator>
#include <QHash>

#include <algorithm>
#include <numeric>

namespace {

QCollator &textCollator()
{
    static QCollator collator = [] {
        QCollator c;
        c.setCaseSensitivity(Qt::CaseInsensitive);
        c.setNumericMode(true);
        return c;
    }();
    return collator;
}

bool isText(const QVariant &value)
{
    return value.typeId() == QMetaType::QString;
}

} // namespace

ViewSortFilterProxy::ViewSortFilterProxy(QObject *parent)
    : QSortFilterProxyModel(parent)
{
    // Sorting happens when the user asks; re-sorting on every lazily read field would be costly.
    setDynamicSortFilter(false);
}

void ViewSortFilterProxy::setBrowseQuery(BrowseQuery *query)
{
    m_query = query;
    setSourceModel(query);
}

void ViewSortFilterProxy::setFindText(const QString &text)
{
    if (text == m_findText)
        return;
    m_findText = text;
    invalidateFilter();
}

void ViewSortFilterProxy::setFindFields(const QStringList &fields)
{
    m_findFields = fields;
    if (!m_findText.isEmpty())
        invalidateFilter();
}

bool ViewSortFilterProxy::filterAcceptsRow(int sourceRow, const QModelIndex &) const
{
    if (m_findText.trimmed().isEmpty() || !m_query)
        return true;
    const QString text = m_findText.trimmed();
    for (const QString &field : m_findFields) {
        if (FieldDrawingOf(field) != FieldDrawing::Text)
            continue;
        if (m_query->displayText(sourceRow, field).contains(text, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

bool ViewSortFilterProxy::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    if (!m_query)
        return QSortFilterProxyModel::lessThan(left, right);
    const QString field = SortCompanion(m_query->fieldNames().value(left.column()));
    const QVariant a = m_query->fieldValue(left.row(), field);
    const QVariant b = m_query->fieldValue(right.row(), field);
    const bool aEmpty = a.isNull() || (isText(a) && a.toString().isEmpty());
    const bool bEmpty = b.isNull() || (isText(b) && b.toString().isEmpty());
    if (aEmpty || bEmpty)
        return aEmpty && !bEmpty; // empty values first
    if (isText(a) || isText(b))
        return textCollator().compare(a.toString(), b.toString()) < 0;
    return QVariant::compare(a, b) == QPartialOrdering::Less;
}

GroupProxyModel::GroupProxyModel(QObject *parent)
    : QAbstractProxyModel(parent)
{}

void GroupProxyModel::setSourceModel(QAbstractItemModel *source)
{
    beginResetModel();
    for (const QMetaObject::Connection &connection : std::as_const(m_connections))
        disconnect(connection);
    m_connections.clear();
    QAbstractProxyModel::setSourceModel(source);
    if (source) {
        auto reset = [this] { rebuild(); };
        m_connections << connect(source, &QAbstractItemModel::modelReset, this, reset)
                      << connect(source, &QAbstractItemModel::layoutChanged, this, reset)
                      << connect(source, &QAbstractItemModel::rowsInserted, this, reset)
                      << connect(source, &QAbstractItemModel::rowsRemoved, this, reset)
                      << connect(source, &QAbstractItemModel::dataChanged, this, &GroupProxyModel::sourceDataChanged);
    }
    mapping();
    endResetModel();
}

void GroupProxyModel::setGroupColumn(int column)
{
    if (column == m_groupColumn)
        return;
    m_groupColumn = column;
    m_collapsed.clear();
    rebuild();
}

void GroupProxyModel::rebuild()
{
    beginResetModel();
    mapping();
    endResetModel();
}

void GroupProxyModel::mapping()
{
    m_entries.clear();
    m_groupTexts.clear();
    m_groupRows.clear();
    QAbstractItemModel *source = sourceModel();
    const int rows = source ? source->rowCount() : 0;
    m_proxyRowOfSource.fill(-1, rows);
    if (!source)
        return;
    if (m_groupColumn < 0 || m_groupColumn >= source->columnCount()) {
        m_entries.reserve(rows);
        for (int r = 0; r < rows; ++r) {
            m_proxyRowOfSource[r] = r;
            m_entries.append({-1, r});
        }
        return;
    }
    QHash<QString, int> groupOfText;
    for (int r = 0; r < rows; ++r) {
        const QString text = source->index(r, m_groupColumn).data(Qt::DisplayRole).toString();
        auto found = groupOfText.constFind(text);
        if (found == groupOfText.constEnd()) {
            found = groupOfText.insert(text, int(m_groupTexts.size()));
            m_groupTexts << text;
            m_groupRows.append(QList<int>());
        }
        m_groupRows[found.value()].append(r);
    }
    QVector<int> order(m_groupTexts.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [this](int a, int b) {
        const QString &x = m_groupTexts.at(a);
        const QString &y = m_groupTexts.at(b);
        if (x.isEmpty() || y.isEmpty())
            return x.isEmpty() && !y.isEmpty();
        return textCollator().compare(x, y) < 0;
    });
    for (const int group : std::as_const(order)) {
        m_entries.append({group, -1});
        if (m_collapsed.contains(m_groupTexts.at(group)))
            continue;
        for (const int r : std::as_const(m_groupRows.at(group))) {
            m_proxyRowOfSource[r] = int(m_entries.size());
            m_entries.append({group, r});
        }
    }
}

void GroupProxyModel::sourceDataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                                        const QList<int> &roles)
{
    if (m_entries.isEmpty() || !topLeft.isValid())
        return;
    if (m_groupColumn >= topLeft.column() && m_groupColumn <= bottomRight.column()) {
        rebuild(); // a record may have moved to another group
        return;
    }
    emit dataChanged(index(0, topLeft.column()), index(int(m_entries.size()) - 1, bottomRight.column()), roles);
}

bool GroupProxyModel::isGroupHeader(int row) const
{
    return row >= 0 && row < m_entries.size() && m_entries.at(row).sourceRow < 0;
}

QList<int> GroupProxyModel::sourceRowsOfGroup(int headerRow) const
{
    if (!isGroupHeader(headerRow))
        return {};
    return m_groupRows.value(m_entries.at(headerRow).group);
}

void GroupProxyModel::toggleCollapsed(int headerRow)
{
    if (!isGroupHeader(headerRow))
        return;
    const QString text = m_groupTexts.at(m_entries.at(headerRow).group);
    if (m_collapsed.contains(text))
        m_collapsed.remove(text);
    else
        m_collapsed.insert(text);
    rebuild();
}

QModelIndex GroupProxyModel::mapToSource(const QModelIndex &proxyIndex) const
{
    if (!proxyIndex.isValid() || !sourceModel() || proxyIndex.row() >= m_entries.size())
        return QModelIndex();
    const int sourceRow = m_entries.at(proxyIndex.row()).sourceRow;
    return sourceRow < 0 ? QModelIndex() : sourceModel()->index(sourceRow, proxyIndex.column());
}

QModelIndex GroupProxyModel::mapFromSource(const QModelIndex &sourceIndex) const
{
    if (!sourceIndex.isValid() || sourceIndex.row() >= m_proxyRowOfSource.size())
        return QModelIndex();
    const int row = m_proxyRowOfSource.at(sourceIndex.row());
    return row < 0 ? QModelIndex() : index(row, sourceIndex.column());
}

QModelIndex GroupProxyModel::index(int row, int column, const QModelIndex &parent) const
{
    if (parent.isValid() || row < 0 || row >= m_entries.size() || column < 0 || column >= columnCount())
        return QModelIndex();
    return createIndex(row, column);
}

QModelIndex GroupProxyModel::parent(const QModelIndex &) const
{
    return QModelIndex();
}

int GroupProxyModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

int GroupProxyModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() || !sourceModel() ? 0 : sourceModel()->columnCount();
}

QVariant GroupProxyModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_entries.size())
        return QVariant();
    const Entry &entry = m_entries.at(index.row());
    if (entry.sourceRow >= 0) {
        if (role == GroupHeaderRole)
            return false;
        return sourceModel()->index(entry.sourceRow, index.column()).data(role);
    }
    switch (role) {
    case GroupHeaderRole:
        return true;
    case GroupCollapsedRole:
        return m_collapsed.contains(m_groupTexts.at(entry.group));
    case Qt::DisplayRole:
        return sourceModel()->headerData(m_groupColumn, Qt::Horizontal).toString() + QStringLiteral(": ") +
               m_groupTexts.at(entry.group) + QStringLiteral(" (%1)").arg(m_groupRows.at(entry.group).size());
    default:
        return QVariant();
    }
}

QVariant GroupProxyModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    // Columns pass through unchanged; rows have no header.
    if (orientation != Qt::Horizontal || !sourceModel())
        return QVariant();
    return sourceModel()->headerData(section, orientation, role);
}

Qt::ItemFlags GroupProxyModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (isGroupHeader(index.row()))
        return Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
    return sourceModel()->flags(mapToSource(index));
}
