#include "views/BrowseQuery.h"

#include "database/DM1_u.h"
#include "database/FbConnection.h"
#include "database/FbQuery.h"
#include "database/RecordHelpers.h"
#include "views/CalculatedFields.h"
#include "views/ViewFields.h"

#include <climits>
#include <cmath>
#include <limits>

namespace {

constexpr int kBlobType = 261; // RDB$FIELD_TYPE of blob columns

const QSet<QString> &movieCalculatedFields()
{
    static const QSet<QString> fields = {
        QStringLiteral("LENDTO"),          QStringLiteral("LENDALERT"),
        QStringLiteral("LENDDATE_TEXT"),   QStringLiteral("RELEASEDATE_TEXT"),
        QStringLiteral("RELEASEYEAR"),     QStringLiteral("THEATERDATE_TEXT"),
        QStringLiteral("THEATERYEAR"),     QStringLiteral("LASTWATCHEDDATE_TEXT"),
        QStringLiteral("MOVIETIME_HOURS"), QStringLiteral("WATCHED_ALERT"),
        QStringLiteral("THREED_ALERT"),    QStringLiteral("FOURK_ALERT"),
        QStringLiteral("DIRECTOR"),        QStringLiteral("PRODUCER"),
        QStringLiteral("WRITER"),          QStringLiteral("GENRES"),
    };
    return fields;
}

const QSet<QString> &mediaCalculatedFields()
{
    static const QSet<QString> fields = {
        QStringLiteral("LENDTO"),          QStringLiteral("LENDALERT"),      QStringLiteral("LENDDATE_TEXT"),
        QStringLiteral("BUYDATE_TEXT"),    QStringLiteral("MEDIATIME_TEXT"), QStringLiteral("MEDIATYPE_TEXT"),
        QStringLiteral("MEDIATIME_HOURS"),
    };
    return fields;
}

QString keyLiteral(double key)
{
    return QString::number(key, 'g', 17);
}

QVariant paramValue(const QVariantMap &params, const QString &name)
{
    for (auto it = params.cbegin(); it != params.cend(); ++it) {
        if (it.key().compare(name, Qt::CaseInsensitive) == 0)
            return it.value();
    }
    return QVariant();
}

} // namespace

BrowseQuery::BrowseQuery(FbConnection &connection, int viewTable, QObject *parent)
    : QAbstractTableModel(parent)
    , m_connection(connection)
    , m_viewTable(viewTable)
    , m_fields(ViewFieldNames(viewTable))
{
    for (int i = 0; i < m_fields.size(); ++i)
        m_fieldColumn.insert(m_fields.at(i), i);
    // Decoded pictures, counted in kilobytes: enough for several screens of large covers.
    m_images.setMaxCost(64 * 1024);
}

BrowseQuery::~BrowseQuery() = default;

void BrowseQuery::resetState()
{
    m_cursor.reset();
    m_prepared.clear();
    m_rows.clear();
    m_rows.squeeze();
    m_lists.clear();
    m_partners.clear();
    m_mediaTypes.clear();
    m_lazyText.clear();
    m_images.clear();
    m_active = false;
    m_failed = false;
    m_atEnd = true;
    m_count = -1;
}

void BrowseQuery::Open()
{
    beginResetModel();
    resetState();
    try {
        openStatements();
    } catch (const FbError &) {
        resetState();
        endResetModel();
        throw;
    }
    endResetModel();
}

void BrowseQuery::Refresh()
{
    Open();
}

void BrowseQuery::Close()
{
    // The next opening reads the columns again: the database may be another one by then.
    m_columnsOfDatabase.clear();
    if (!m_active && m_rows.isEmpty())
        return;
    beginResetModel();
    resetState();
    endResetModel();
}

void BrowseQuery::openStatements()
{
    m_plan = PlanBrowseStatements(m_viewTable, SQL.lines());
    bool named = !m_plan.keysSql.isEmpty();
    if (named) {
        try {
            discoverColumns();
        } catch (const FbError &) {
            named = false; // without the column list the statement runs as it stands
        }
    }
    // The on-demand mode reads keys and then the rows of the blocks shown; the normal mode reads
    // every row at once, which one statement does fastest.
    m_keyed = named && m_onDemand;
    m_cursor = std::make_unique<FbQuery>(m_connection);
    if (!named)
        m_cursor->setSql(SQL.text());
    else if (m_keyed)
        m_cursor->setSql(m_plan.keysSql);
    else
        m_cursor->setSql(m_plan.selectHead + m_dataColumns.join(QStringLiteral(", ")) + QLatin1Char(' ') +
                         m_plan.fromClause);
    for (const QString &name : m_cursor->paramNames())
        m_cursor->setParam(name, paramValue(Params, name));
    m_cursor->open();

    if (!named) {
        m_dataColumns = m_cursor->columnNames();
        m_lazyColumns.clear();
    }
    m_dataIndex.clear();
    for (int i = 0; i < m_dataColumns.size(); ++i)
        m_dataIndex.insert(m_dataColumns.at(i), i);
    const QStringList keys = KeyColumns(m_viewTable);
    m_key1Column = m_dataIndex.value(keys.value(0), -1);
    m_key2Column = keys.size() > 1 ? m_dataIndex.value(keys.value(1), -1) : -1;

    m_active = true;
    m_atEnd = false;
    if (m_onDemand) {
        readRows(PageSize);
    } else {
        readRows(INT_MAX);
        loadAllBlocks();
    }
}

void BrowseQuery::discoverColumns()
{
    const QString database = m_connection.databaseName();
    if (database != m_columnsOfDatabase || m_tableColumns.isEmpty()) {
        m_tableColumns.clear();
        m_tableBlobs.clear();
        m_columnsOfDatabase.clear();
        FbQuery meta(m_connection);
        meta.setSql(QStringLiteral("select trim(RF.RDB$FIELD_NAME), F.RDB$FIELD_TYPE from RDB$RELATION_FIELDS RF "
                                   "join RDB$FIELDS F on F.RDB$FIELD_NAME = RF.RDB$FIELD_SOURCE "
                                   "where RF.RDB$RELATION_NAME = '%1' order by RF.RDB$FIELD_POSITION")
                        .arg(ViewTableName(m_viewTable)));
        meta.open();
        while (meta.next()) {
            const QString column = meta.value(0).toString().trimmed().toUpper();
            if (meta.value(1).toInt() == kBlobType)
                m_tableBlobs.insert(column);
            else
                m_tableColumns << column;
        }
        for (const QString &key : KeyColumns(m_viewTable)) {
            if (!m_tableColumns.contains(key)) {
                m_tableColumns.clear();
                throw FbError(QStringLiteral("The table has no column ") + key);
            }
        }
        m_columnsOfDatabase = database;
    }
    m_dataColumns = m_tableColumns;
    m_lazyColumns = m_tableBlobs;
}

void BrowseQuery::readRows(int count)
{
    const bool movies = m_viewTable == ViewKind::Movies;
    const double none = std::numeric_limits<double>::quiet_NaN();
    int read = 0;
    while (read < count && !m_atEnd) {
        if (!m_cursor || !m_cursor->next()) {
            m_atEnd = true;
            break;
        }
        Row row;
        if (m_keyed) {
            row.key1 = m_cursor->value(0).toDouble();
            if (movies)
                row.key2 = m_cursor->value(1).toDouble();
        } else {
            const int columns = int(m_dataColumns.size());
            row.values.resize(columns);
            for (int i = 0; i < columns; ++i)
                row.values[i] = m_cursor->value(i);
            row.key1 = m_key1Column >= 0 ? row.values.at(m_key1Column).toDouble() : none;
            row.key2 = m_key2Column >= 0 ? row.values.at(m_key2Column).toDouble() : none;
        }
        m_rows.append(std::move(row));
        ++read;
    }
}

void BrowseQuery::ensureLoaded(int row)
{
    if (!m_keyed || row < 0 || row >= m_rows.size() || !m_rows.at(row).values.isEmpty())
        return;
    const int block = m_onDemand ? OnDemandBlockSize : NormalBlockSize;
    const int first = row / block * block;
    loadBlock(first, std::min(first + block, int(m_rows.size())));
}

void BrowseQuery::loadAllBlocks()
{
    if (!m_keyed)
        return;
    for (int first = 0; first < m_rows.size(); first += NormalBlockSize)
        loadBlock(first, std::min(first + NormalBlockSize, int(m_rows.size())));
}

void BrowseQuery::loadBlock(int first, int last)
{
    const bool movies = m_viewTable == ViewKind::Movies;
    QMultiHash<double, int> pending;
    QStringList ids;
    for (int r = first; r < last; ++r) {
        if (!m_rows.at(r).values.isEmpty())
            continue;
        const double key = movies ? m_rows.at(r).key2 : m_rows.at(r).key1;
        if (!pending.contains(key))
            ids << keyLiteral(key);
        pending.insert(key, r);
    }
    if (pending.isEmpty())
        return;
    const int columns = int(m_dataColumns.size());
    if (!m_failed) {
        const QString matchColumn = movies ? QStringLiteral("MOVIE_ID") : KeyFieldName(m_viewTable);
        const int match = m_dataIndex.value(matchColumn);
        try {
            FbQuery rows(m_connection);
            rows.setSql(QStringLiteral("select ") + m_dataColumns.join(QStringLiteral(", ")) +
                        QStringLiteral(" from ") + ViewTableName(m_viewTable) + QStringLiteral(" where ") +
                        matchColumn + QStringLiteral(" in (") + ids.join(QLatin1Char(',')) + QLatin1Char(')'));
            rows.open();
            while (rows.next()) {
                const double key = rows.value(match).toDouble();
                const double mediaId = movies ? rows.value(m_key1Column).toDouble() : 0;
                for (auto it = pending.find(key); it != pending.end() && it.key() == key; ++it) {
                    Row &row = m_rows[it.value()];
                    if (!row.values.isEmpty() || (movies && row.key1 != mediaId))
                        continue;
                    row.values.resize(columns);
                    for (int i = 0; i < columns; ++i)
                        row.values[i] = rows.value(i);
                }
            }
        } catch (const FbError &e) {
            fail(e.message());
        }
    }
    // A record deleted since its key was read, or one that could not be read, stays as an empty
    // row with its key, so it is not asked for again.
    for (const int r : std::as_const(pending)) {
        Row &row = m_rows[r];
        if (!row.values.isEmpty())
            continue;
        row.values.resize(columns);
        if (m_key1Column >= 0)
            row.values[m_key1Column] = row.key1;
        if (m_key2Column >= 0)
            row.values[m_key2Column] = row.key2;
    }
}

void BrowseQuery::fail(const QString &message)
{
    if (m_failed)
        return;
    m_failed = true;
    m_atEnd = true;
    emit fetchFailed(message);
}

int BrowseQuery::RecordCount()
{
    if (!m_active)
        return 0;
    if (!m_onDemand || !HasDM1())
        return int(m_rows.size());
    if (m_count >= 0)
        return m_count;
    QStringList names;
    FbQuery::translateParameters(m_plan.countSql, &names);
    QVariantMap params;
    for (const QString &name : std::as_const(names))
        params.insert(name, paramValue(Params, name));
    int count = DM1().ReturnCountFunction(m_plan.countSql, params);
    // The count statement drops "first N"; the view never shows more than N records.
    if (m_plan.limit > 0)
        count = std::min(count, m_plan.limit);
    // A failed count (0) is not kept: the next call asks again.
    if (count > 0)
        m_count = count;
    return count;
}

bool BrowseQuery::isCalculated(const QString &field) const
{
    if (m_viewTable == ViewKind::Movies)
        return movieCalculatedFields().contains(field);
    if (m_viewTable == ViewKind::Media)
        return mediaCalculatedFields().contains(field);
    return false;
}

QVariant BrowseQuery::fieldValue(int row, const QString &field)
{
    if (row < 0 || row >= m_rows.size())
        return QVariant();
    ensureLoaded(row);
    if (isCalculated(field))
        return calculated(row, field);
    return storedValue(row, field);
}

QVariant BrowseQuery::storedValue(int row, const QString &column)
{
    const int index = m_dataIndex.value(column, -1);
    if (index >= 0)
        return m_rows.at(row).values.value(index);
    if (m_lazyColumns.contains(column))
        return lazyValue(row, column);
    return QVariant();
}

QVariant BrowseQuery::lazyValue(int row, const QString &column)
{
    if (m_failed)
        return QVariant();
    const QPair<int, QString> cacheKey(row, column);
    const auto cached = m_lazyText.constFind(cacheKey);
    if (cached != m_lazyText.constEnd())
        return cached.value();
    const Row &data = m_rows.at(row);
    try {
        QString sql;
        QVariant key1 = data.key1;
        if (m_viewTable == ViewKind::Movies && column == QLatin1String("ICON_BLOB")) {
            // The icon belongs to the media type: one read per type serves every record.
            sql = QStringLiteral("select ICON_BLOB from MEDIATYPE where MEDIATYPE_ID = :K1");
            key1 = storedValue(row, QStringLiteral("MEDIATYPE_ID"));
            if (key1.isNull())
                return QVariant();
        } else if (m_viewTable == ViewKind::Movies) {
            sql = QStringLiteral("select %1 from %2 where MEDIA_ID = :K1 and MOVIE_ID = :K2")
                      .arg(column, ViewTableName(m_viewTable));
        } else {
            sql = QStringLiteral("select %1 from %2 where %3 = :K1")
                      .arg(column, ViewTableName(m_viewTable), KeyFieldName(m_viewTable));
        }
        FbQuery &query = preparedQuery(sql);
        query.close();
        query.setParam(QStringLiteral("K1"), key1);
        if (sql.contains(QLatin1String(":K2")))
            query.setParam(QStringLiteral("K2"), data.key2);
        query.open();
        const QVariant value = query.next() ? query.value(0) : QVariant();
        query.close();
        if (value.typeId() == QMetaType::QString)
            m_lazyText.insert(cacheKey, value);
        return value;
    } catch (const FbError &e) {
        fail(e.message());
        return QVariant();
    }
}

FbQuery &BrowseQuery::preparedQuery(const QString &sql)
{
    auto it = m_prepared.find(sql);
    if (it == m_prepared.end()) {
        auto query = std::make_unique<FbQuery>(m_connection);
        query->setSql(sql);
        it = m_prepared.emplace(sql, std::move(query)).first;
    }
    return *it->second;
}

QVariant BrowseQuery::calculated(int row, const QString &field)
{
    auto stored = [&](const char *column) { return storedValue(row, QLatin1String(column)); };
    if (field == QLatin1String("LENDTO") || field == QLatin1String("LENDALERT") ||
        field == QLatin1String("LENDDATE_TEXT")) {
        const LendFields lend =
            LendFieldsOf(stored("LEND_ID"), stored("LENDDATE"), [this](int lendId) { return lendPartner(lendId); });
        if (field == QLatin1String("LENDTO"))
            return lend.lendTo;
        return field == QLatin1String("LENDALERT") ? lend.lendAlert : lend.lendDateText;
    }
    if (ListFields().contains(field))
        return listField(row, field);
    if (field == QLatin1String("RELEASEDATE_TEXT"))
        return DateText(stored("RELEASEDATE"));
    if (field == QLatin1String("RELEASEYEAR"))
        return YearText(stored("RELEASEDATE"));
    if (field == QLatin1String("THEATERDATE_TEXT"))
        return DateText(stored("THEATERDATE"));
    if (field == QLatin1String("THEATERYEAR"))
        return YearText(stored("THEATERDATE"));
    if (field == QLatin1String("LASTWATCHEDDATE_TEXT"))
        return DateText(stored("LASTWATCHEDDATE"));
    if (field == QLatin1String("MOVIETIME_HOURS"))
        return HoursText(stored("MOVIETIME"));
    if (field == QLatin1String("WATCHED_ALERT"))
        return AlertText(stored("WATCHED"));
    if (field == QLatin1String("THREED_ALERT"))
        return AlertText(stored("THREED_ENABLED"));
    if (field == QLatin1String("FOURK_ALERT"))
        return AlertText(stored("FOURK_ENABLED"));
    if (field == QLatin1String("BUYDATE_TEXT"))
        return DateText(stored("BUYDATE"));
    if (field == QLatin1String("MEDIATIME_TEXT"))
        return MediaTimeText(stored("MEDIATIME"));
    if (field == QLatin1String("MEDIATIME_HOURS"))
        return HoursText(stored("MEDIATIME"));
    if (field == QLatin1String("MEDIATYPE_TEXT"))
        return mediaTypeName(stored("MEDIATYPE_ID"));
    return QVariant();
}

QString BrowseQuery::listField(int row, const QString &field)
{
    if (!m_listShown.contains(field))
        return QString();
    const int slot = int(ListFields().indexOf(field));
    const quint8 bit = quint8(1u << slot);
    const auto found = m_lists.constFind(row);
    if (found != m_lists.constEnd() && (found->done & bit))
        return found->text[slot];

    // One statement for the records around this one: a screen of records costs one query.
    const int first = row / OnDemandBlockSize * OnDemandBlockSize;
    const int last = std::min(first + OnDemandBlockSize, int(m_rows.size()));
    QHash<double, QStringList> names;
    QStringList ids;
    QList<int> rows;
    for (int r = first; r < last; ++r) {
        if (m_rows.at(r).values.isEmpty() || (m_lists.value(r).done & bit))
            continue;
        const double id = keyValue(r);
        if (std::isnan(id))
            continue;
        rows << r;
        if (!names.contains(id)) {
            names.insert(id, {});
            ids << keyLiteral(id);
        }
    }
    if (!ids.isEmpty() && !m_failed) {
        try {
            FbQuery query(m_connection);
            query.setSql(ListFieldSql(field, ids.join(QLatin1Char(','))));
            query.open();
            while (query.next()) {
                const QString name = query.value(1).toString();
                if (!name.isEmpty())
                    names[query.value(0).toDouble()] << name;
            }
        } catch (const FbError &) {
            // The field stays empty, as for a movie without such names.
            for (QStringList &list : names)
                list.clear();
        }
    }
    for (const int r : std::as_const(rows)) {
        ListValues &values = m_lists[r];
        values.text[slot] = names.value(keyValue(r)).join(QStringLiteral(", ")).left(ListFieldLength);
        values.done |= bit;
    }
    ListValues &values = m_lists[row];
    values.done |= bit;
    return values.text[slot];
}

QString BrowseQuery::lendPartner(int lendId)
{
    const auto found = m_partners.constFind(lendId);
    if (found != m_partners.constEnd())
        return found.value();
    QString text;
    if (!m_failed) {
        try {
            FbQuery &query = preparedQuery(QStringLiteral("select NAME, PHONE from LENDLIST where LEND_ID = :ID"));
            query.close();
            query.setParam(QStringLiteral("ID"), lendId);
            query.open();
            if (query.next())
                text = LendPartnerText(query.value(0).toString(), query.value(1).toString());
            query.close();
        } catch (const FbError &) {
            // A failing lookup leaves LENDTO empty.
        }
    }
    m_partners.insert(lendId, text);
    return text;
}

QString BrowseQuery::mediaTypeName(const QVariant &mediaTypeId)
{
    bool ok = false;
    const int id = mediaTypeId.toInt(&ok);
    if (mediaTypeId.isNull() || !ok)
        return QString();
    const auto found = m_mediaTypes.constFind(id);
    if (found != m_mediaTypes.constEnd())
        return found.value();
    const QString name = m_failed ? QString()
                                  : LookupValue(QStringLiteral("MEDIATYPE"), QStringLiteral("MEDIATYPE_ID"),
                                                QStringLiteral("NAME"), QString::number(id));
    m_mediaTypes.insert(id, name);
    return name;
}

QString BrowseQuery::displayText(int row, const QString &field)
{
    if (FieldDrawingOf(field) == FieldDrawing::Image)
        return QString();
    const QVariant value = fieldValue(row, field);
    if (isCalculated(field))
        return value.toString();
    return FormatFieldValue(field, value);
}

double BrowseQuery::keyValue(int row) const
{
    if (row < 0 || row >= m_rows.size())
        return std::numeric_limits<double>::quiet_NaN();
    return m_viewTable == ViewKind::Movies ? m_rows.at(row).key2 : m_rows.at(row).key1;
}

int BrowseQuery::locate(double key)
{
    int from = 0;
    for (;;) {
        for (int r = from; r < m_rows.size(); ++r) {
            if (keyValue(r) == key)
                return r;
        }
        if (!canFetchMore(QModelIndex()))
            return -1;
        from = int(m_rows.size());
        fetchMore(QModelIndex());
        if (m_rows.size() == from)
            return -1;
    }
}

void BrowseQuery::setListFieldsShown(const QSet<QString> &fields)
{
    QSet<QString> shown;
    for (const QString &field : ListFields()) {
        if (fields.contains(field) && m_viewTable == ViewKind::Movies)
            shown.insert(field);
    }
    if (shown == m_listShown)
        return;
    m_listShown = shown;
    m_lists.clear();
    if (m_rows.isEmpty())
        return;
    for (const QString &field : ListFields()) {
        const int column = fieldColumn(field);
        if (column >= 0)
            emit dataChanged(index(0, column), index(int(m_rows.size()) - 1, column), {Qt::DisplayRole});
    }
}

void BrowseQuery::setImageSize(const QString &field, const QSize &size)
{
    m_imageSizes.insert(field, size);
}

QImage BrowseQuery::image(int row, const QString &field)
{
    if (row < 0 || row >= m_rows.size())
        return QImage();
    ensureLoaded(row);
    const QSize size = m_imageSizes.value(field);
    QString identity;
    if (m_viewTable == ViewKind::Movies && field == QLatin1String("ICON_BLOB"))
        identity = QStringLiteral("T") + storedValue(row, QStringLiteral("MEDIATYPE_ID")).toString();
    else
        identity = keyLiteral(m_rows.at(row).key1) + QLatin1Char('/') + keyLiteral(m_rows.at(row).key2) +
                   QLatin1Char('/') + QString::number(row);
    const QString cacheKey = field + QLatin1Char('|') + identity + QLatin1Char('|') + QString::number(size.width()) +
                             QLatin1Char('x') + QString::number(size.height());
    if (const QImage *cached = m_images.object(cacheKey))
        return *cached;
    const QImage picture = DecodeJpegScaled(fieldValue(row, field).toByteArray(), size);
    m_images.insert(cacheKey, new QImage(picture), std::max<int>(1, int(picture.sizeInBytes() / 1024)));
    return picture;
}

int BrowseQuery::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int BrowseQuery::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_fields.size());
}

QVariant BrowseQuery::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size() || index.column() >= m_fields.size())
        return QVariant();
    // Reading is lazy: a record's block, pictures and person lists are read when first shown.
    auto *self = const_cast<BrowseQuery *>(this);
    const QString &field = m_fields.at(index.column());
    switch (role) {
    case Qt::DisplayRole:
        return self->displayText(index.row(), field);
    case RawValueRole:
        if (FieldDrawingOf(field) == FieldDrawing::Image)
            return QVariant();
        return self->fieldValue(index.row(), field);
    case ImageRole:
        return self->image(index.row(), field);
    case FieldNameRole:
        return field;
    default:
        return QVariant();
    }
}

QVariant BrowseQuery::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_fields.size())
        return QVariant();
    if (role == Qt::DisplayRole)
        return FieldCaption(m_fields.at(section));
    if (role == FieldNameRole)
        return m_fields.at(section);
    return QVariant();
}

Qt::ItemFlags BrowseQuery::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

bool BrowseQuery::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && m_active && m_onDemand && !m_atEnd && !m_failed;
}

void BrowseQuery::fetchMore(const QModelIndex &parent)
{
    if (!canFetchMore(parent))
        return;
    const int before = int(m_rows.size());
    QVector<Row> fetched;
    try {
        readRows(PageSize);
    } catch (const FbError &e) {
        // Rows read before the failure stay; the rest of the view is lost with the connection.
        m_rows.resize(before);
        fail(e.message());
        return;
    }
    const int after = int(m_rows.size());
    if (after == before)
        return;
    // The rows are in place already; the views learn of them now.
    fetched = m_rows.mid(before);
    m_rows.resize(before);
    beginInsertRows(QModelIndex(), before, after - 1);
    m_rows += fetched;
    endInsertRows();
}
