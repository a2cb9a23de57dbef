#include "database/FbQuery.h"

#include "database/FbConnection.h"

#include <firebird/Interface.h>

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTime>

#include <cstring>
#include <memory>

using namespace Firebird;

namespace {

struct Status
{
    ThrowStatusWrapper w{FbApi::master()->getStatus()};
    ~Status() { w.dispose(); }
};

constexpr unsigned kCharSetNone = 0;
constexpr unsigned kCharSetOctets = 1;
constexpr unsigned kCharSetUtf8 = 4;
constexpr unsigned kMaxVarcharBytes = 32765;
constexpr unsigned kSegmentBytes = 65535; // the largest segment the engine takes

// Text blobs are written as UTF-8 text so the engine stores them with the column's sub-type.
const unsigned char kTextBlobParameters[] = {
    isc_bpb_version1, isc_bpb_source_type,   1, isc_blob_text, isc_bpb_target_type,   1,
    isc_blob_text,    isc_bpb_source_interp, 1, kCharSetUtf8,  isc_bpb_target_interp, 1,
    kCharSetUtf8};

bool isNameStart(QChar c)
{
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
           c == QLatin1Char('_');
}

bool isNameChar(QChar c)
{
    return isNameStart(c) || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('$');
}

QChar closingDelimiter(QChar open)
{
    switch (open.unicode()) {
    case '(':
        return QLatin1Char(')');
    case '[':
        return QLatin1Char(']');
    case '{':
        return QLatin1Char('}');
    case '<':
        return QLatin1Char('>');
    default:
        return open;
    }
}

// Text of character set NONE holds whatever bytes a client once stored: UTF-8 when it is valid,
// otherwise taken as Latin-1 rather than turned into replacement characters.
QString decodeLooseText(const char *data, qsizetype size)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(QByteArrayView(data, size));
    if (decoder.hasError())
        return QString::fromLatin1(data, size);
    return text;
}

QVariant textValue(const char *data, qsizetype size, unsigned charSet, bool fixedLength)
{
    if (charSet == kCharSetOctets)
        return QByteArray(data, size);
    if (fixedLength) // CHAR columns come padded with blanks up to their byte length
        while (size > 0 && data[size - 1] == ' ')
            --size;
    return charSet == kCharSetNone ? decodeLooseText(data, size) : QString::fromUtf8(data, size);
}

template <typename T> T readAt(const QByteArray &buffer, unsigned offset)
{
    T value;
    std::memcpy(&value, buffer.constData() + offset, sizeof(T));
    return value;
}

template <typename T> void writeAt(QByteArray &buffer, unsigned offset, const T &value)
{
    std::memcpy(buffer.data() + offset, &value, sizeof(T));
}

QByteArray readBlob(IAttachment *attachment, ITransaction *transaction, ISC_QUAD id)
{
    Status st;
    IBlob *blob = attachment->openBlob(&st.w, transaction, &id, 0, nullptr);
    QByteArray data;
    try {
        QByteArray segment(kSegmentBytes, Qt::Uninitialized);
        for (;;) {
            unsigned got = 0;
            const int result = blob->getSegment(&st.w, kSegmentBytes, segment.data(), &got);
            if (result != IStatus::RESULT_OK && result != IStatus::RESULT_SEGMENT)
                break;
            data.append(segment.constData(), got);
        }
        blob->close(&st.w);
    } catch (...) {
        blob->release();
        throw;
    }
    return data;
}

ISC_QUAD writeBlob(IAttachment *attachment, ITransaction *transaction, const QByteArray &data, bool text)
{
    Status st;
    ISC_QUAD id{};
    IBlob *blob = text
                      ? attachment->createBlob(&st.w, transaction, &id, sizeof kTextBlobParameters, kTextBlobParameters)
                      : attachment->createBlob(&st.w, transaction, &id, 0, nullptr);
    try {
        for (qsizetype pos = 0; pos < data.size(); pos += kSegmentBytes) {
            const unsigned length = unsigned(qMin<qsizetype>(kSegmentBytes, data.size() - pos));
            blob->putSegment(&st.w, length, data.constData() + pos);
        }
        blob->close(&st.w);
    } catch (...) {
        try {
            blob->cancel(&st.w);
        } catch (...) {
            blob->release();
        }
        throw;
    }
    return id;
}

ISC_DATE encodeDate(const QDate &date)
{
    if (date.year() < 1 || date.year() > 9999)
        throw FbError(
            QStringLiteral("The date %1 is outside the range the database can store.").arg(date.toString(Qt::ISODate)));
    return FbApi::util()->encodeDate(unsigned(date.year()), unsigned(date.month()), unsigned(date.day()));
}

ISC_TIME encodeTime(const QTime &time)
{
    return FbApi::util()->encodeTime(unsigned(time.hour()), unsigned(time.minute()), unsigned(time.second()),
                                     unsigned(time.msec()) * 10);
}

QDate decodeDate(ISC_DATE value)
{
    unsigned year = 0, month = 0, day = 0;
    FbApi::util()->decodeDate(value, &year, &month, &day);
    return QDate(int(year), int(month), int(day));
}

QTime decodeTime(ISC_TIME value)
{
    unsigned hours = 0, minutes = 0, seconds = 0, fractions = 0;
    FbApi::util()->decodeTime(value, &hours, &minutes, &seconds, &fractions);
    return QTime(int(hours), int(minutes), int(seconds), int(fractions / 10));
}

const QRegularExpression &transactionStatement()
{
    static const QRegularExpression re(
        QStringLiteral("^\\s*(COMMIT|ROLLBACK)(\\s+WORK)?(\\s+(RETAIN|RETAINING))?\\s*;?\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    return re;
}

// What one parameter is sent as.
enum class Kind { Null, Integer, Double, Boolean, Text, Date, Time, Timestamp, Blob };

} // namespace

FbQuery::FbQuery(FbConnection &connection)
    : m_connection(&connection)
{
    m_connection->addQuery(this);
}

FbQuery::~FbQuery()
{
    if (!m_connection)
        return;
    closeCursor();
    if (m_statement) {
        try {
            Status st;
            m_statement->free(&st.w);
        } catch (...) {
            m_statement->release();
        }
        m_statement = nullptr;
    }
    if (m_outMeta)
        m_outMeta->release();
    m_connection->removeQuery(this);
}

void FbQuery::setSql(const QString &sql)
{
    if (sql == m_sql && !m_engineSql.isEmpty())
        return;
    close();
    if (m_statement && m_connection) {
        try {
            Status st;
            m_statement->free(&st.w);
        } catch (...) {
            m_statement->release();
        }
    }
    m_statement = nullptr;
    if (m_outMeta)
        m_outMeta->release();
    m_outMeta = nullptr;
    m_columnInfo.clear();
    m_columns.clear();
    m_columnIndex.clear();

    m_sql = sql;
    m_positions.clear();
    m_engineSql = m_paramCheck ? translateParameters(sql, &m_positions) : sql;
    m_names.clear();
    for (const QString &name : std::as_const(m_positions))
        if (!m_names.contains(name))
            m_names.append(name);
}

QString FbQuery::sql() const
{
    return m_sql;
}

void FbQuery::setParamCheck(bool on)
{
    if (on == m_paramCheck)
        return;
    m_paramCheck = on;
    const QString text = m_sql;
    m_sql.clear();
    m_engineSql.clear();
    setSql(text);
}

bool FbQuery::paramCheck() const
{
    return m_paramCheck;
}

QStringList FbQuery::paramNames() const
{
    return m_names;
}

void FbQuery::clearParams()
{
    m_params.clear();
}

QVariantMap FbQuery::paramValues() const
{
    QVariantMap values;
    for (auto it = m_params.cbegin(); it != m_params.cend(); ++it)
        values.insert(it.key(), it->value);
    return values;
}

void FbQuery::setParam(const QString &name, const QVariant &value)
{
    const QString key = name.toUpper();
    if (!m_names.contains(key))
        throw FbError(QStringLiteral("The statement has no parameter \"%1\".").arg(name));
    m_params[key] = Param{value, false};
}

void FbQuery::setTextBlobParam(const QString &name, const QString &text)
{
    const QString key = name.toUpper();
    if (!m_names.contains(key))
        throw FbError(QStringLiteral("The statement has no parameter \"%1\".").arg(name));
    m_params[key] = Param{text, true};
}

void FbQuery::checkUsable() const
{
    if (!m_connection)
        throw FbError(QStringLiteral("The database connection of this query no longer exists."));
    if (!m_connection->isConnected())
        throw FbError(QStringLiteral("The database connection is not open."));
    if (!m_connection->inTransaction())
        throw FbError(QStringLiteral("No transaction is active on this database connection."));
}

void FbQuery::prepare()
{
    checkUsable();
    prepareStatement();
}

bool FbQuery::isDdl() const
{
    return m_statement && m_statementType == isc_info_sql_stmt_ddl;
}

void FbQuery::prepareStatement()
{
    if (m_statement)
        return;
    if (m_engineSql.trimmed().isEmpty())
        throw FbError(QStringLiteral("The statement is empty."));
    Status st;
    try {
        const QByteArray text = m_engineSql.toUtf8();
        m_statement = m_connection->attachment()->prepare(&st.w, m_connection->transaction(), unsigned(text.size()),
                                                          text.constData(), SQL_DIALECT_V6,
                                                          IStatement::PREPARE_PREFETCH_METADATA);
        m_statementType = m_statement->getType(&st.w);
        m_outMeta = m_statement->getOutputMetadata(&st.w);
        const unsigned count = m_outMeta->getCount(&st.w);
        m_columnInfo.clear();
        m_columns.clear();
        m_columnIndex.clear();
        for (unsigned i = 0; i < count; ++i) {
            Column column;
            column.type = m_outMeta->getType(&st.w, i);
            column.subType = m_outMeta->getSubType(&st.w, i);
            column.scale = m_outMeta->getScale(&st.w, i);
            column.charSet = m_outMeta->getCharSet(&st.w, i) & 0xFF;
            column.length = m_outMeta->getLength(&st.w, i);
            column.offset = m_outMeta->getOffset(&st.w, i);
            column.nullOffset = m_outMeta->getNullOffset(&st.w, i);
            m_columnInfo.append(column);
            QString name = QString::fromUtf8(m_outMeta->getAlias(&st.w, i));
            if (name.isEmpty())
                name = QString::fromUtf8(m_outMeta->getField(&st.w, i));
            m_columns.append(name);
            const QString key = name.toUpper();
            if (!m_columnIndex.contains(key))
                m_columnIndex.insert(key, int(i));
        }
        m_outBuffer = QByteArray(int(m_outMeta->getMessageLength(&st.w)), '\0');
    } catch (const FbException &e) {
        FbError error = FbApi::errorFromStatus(e.getStatus());
        if (m_outMeta)
            m_outMeta->release();
        m_outMeta = nullptr;
        if (m_statement)
            m_statement->release();
        m_statement = nullptr;
        throw error;
    }
}

void FbQuery::exec()
{
    const QRegularExpressionMatch match = transactionStatement().match(m_sql);
    if (match.hasMatch()) {
        checkUsable();
        close();
        const bool commit = match.captured(1).compare(QLatin1String("COMMIT"), Qt::CaseInsensitive) == 0;
        const bool retain = match.capturedLength(3) > 0;
        if (commit)
            retain ? m_connection->commitRetaining() : m_connection->commit();
        else
            retain ? m_connection->rollbackRetaining() : m_connection->rollback();
        m_rowsAffected = 0;
        return;
    }
    run(false);
}

void FbQuery::open()
{
    run(true);
}

void FbQuery::run(bool wantCursor)
{
    checkUsable();
    close();
    m_rowsAffected = 0;
    prepareStatement();

    IAttachment *attachment = m_connection->attachment();
    ITransaction *transaction = m_connection->transaction();
    IMessageMetadata *described = nullptr;
    IMetadataBuilder *builder = nullptr;
    IMessageMetadata *inMeta = nullptr;
    QByteArray inBuffer;
    Status st;
    try {
        if (!m_positions.isEmpty()) {
            described = m_statement->getInputMetadata(&st.w);
            builder = described->getBuilder(&st.w);

            struct Value
            {
                Kind kind = Kind::Null;
                QByteArray bytes; // text or blob content
                bool textBlob = false;
                QVariant variant;
            };
            std::vector<Value> values(size_t(m_positions.size()));
            for (qsizetype i = 0; i < m_positions.size(); ++i) {
                const unsigned index = unsigned(i);
                Value &v = values[size_t(i)];
                const auto found = m_params.constFind(m_positions.at(i));
                if (found == m_params.constEnd() || !found->value.isValid() || found->value.isNull())
                    continue;
                const QVariant &value = found->value;
                const unsigned describedType = described->getType(&st.w, index);
                v.variant = value;
                if (found->textBlob || (describedType == SQL_BLOB && value.typeId() == QMetaType::QString)) {
                    v.kind = Kind::Blob;
                    v.textBlob = true;
                    v.bytes = value.toString().toUtf8();
                } else {
                    switch (value.typeId()) {
                    case QMetaType::Bool:
                        v.kind = describedType == SQL_BOOLEAN ? Kind::Boolean : Kind::Integer;
                        break;
                    case QMetaType::Int:
                    case QMetaType::UInt:
                    case QMetaType::LongLong:
                    case QMetaType::ULongLong:
                    case QMetaType::Long:
                    case QMetaType::ULong:
                    case QMetaType::Short:
                    case QMetaType::UShort:
                    case QMetaType::Char:
                    case QMetaType::SChar:
                    case QMetaType::UChar:
                        v.kind = Kind::Integer;
                        break;
                    case QMetaType::Double:
                    case QMetaType::Float:
                        v.kind = Kind::Double;
                        break;
                    case QMetaType::QDate:
                        v.kind = value.toDate().isValid() ? Kind::Date : Kind::Null;
                        break;
                    case QMetaType::QTime:
                        v.kind = value.toTime().isValid() ? Kind::Time : Kind::Null;
                        break;
                    case QMetaType::QDateTime:
                        v.kind = value.toDateTime().isValid() ? Kind::Timestamp : Kind::Null;
                        break;
                    case QMetaType::QByteArray:
                        v.kind = Kind::Blob;
                        v.bytes = value.toByteArray();
                        break;
                    default: // QString, and anything else as its text
                        v.bytes = value.toString().toUtf8();
                        v.kind = Kind::Text;
                        // Longer than any VARCHAR: sent as a text blob, which the engine converts.
                        if (v.bytes.size() > qsizetype(kMaxVarcharBytes)) {
                            v.kind = Kind::Blob;
                            v.textBlob = true;
                        }
                        break;
                    }
                }

                switch (v.kind) {
                case Kind::Null:
                    break;
                case Kind::Integer:
                    builder->setType(&st.w, index, SQL_INT64);
                    builder->setLength(&st.w, index, sizeof(ISC_INT64));
                    builder->setScale(&st.w, index, 0);
                    break;
                case Kind::Double:
                    builder->setType(&st.w, index, SQL_DOUBLE);
                    builder->setLength(&st.w, index, sizeof(double));
                    builder->setScale(&st.w, index, 0);
                    break;
                case Kind::Boolean:
                    builder->setType(&st.w, index, SQL_BOOLEAN);
                    builder->setLength(&st.w, index, sizeof(FB_BOOLEAN));
                    builder->setScale(&st.w, index, 0);
                    break;
                case Kind::Text:
                    builder->setType(&st.w, index, SQL_VARYING);
                    builder->setLength(&st.w, index, unsigned(qMax<qsizetype>(1, v.bytes.size())));
                    builder->setCharSet(&st.w, index, kCharSetUtf8);
                    builder->setScale(&st.w, index, 0);
                    break;
                case Kind::Date:
                    builder->setType(&st.w, index, SQL_TYPE_DATE);
                    builder->setLength(&st.w, index, sizeof(ISC_DATE));
                    builder->setScale(&st.w, index, 0);
                    break;
                case Kind::Time:
                    builder->setType(&st.w, index, SQL_TYPE_TIME);
                    builder->setLength(&st.w, index, sizeof(ISC_TIME));
                    builder->setScale(&st.w, index, 0);
                    break;
                case Kind::Timestamp:
                    builder->setType(&st.w, index, SQL_TIMESTAMP);
                    builder->setLength(&st.w, index, sizeof(ISC_TIMESTAMP));
                    builder->setScale(&st.w, index, 0);
                    break;
                case Kind::Blob:
                    builder->setType(&st.w, index, SQL_BLOB);
                    builder->setLength(&st.w, index, sizeof(ISC_QUAD));
                    builder->setSubType(&st.w, index, v.textBlob ? isc_blob_text : isc_blob_untyped);
                    builder->setCharSet(&st.w, index, v.textBlob ? kCharSetUtf8 : kCharSetNone);
                    builder->setScale(&st.w, index, 0);
                    break;
                }
            }
            described->release();
            described = nullptr;
            inMeta = builder->getMetadata(&st.w);
            builder->release();
            builder = nullptr;

            inBuffer = QByteArray(int(inMeta->getMessageLength(&st.w)), '\0');
            for (qsizetype i = 0; i < m_positions.size(); ++i) {
                const unsigned index = unsigned(i);
                const Value &v = values[size_t(i)];
                const unsigned offset = inMeta->getOffset(&st.w, index);
                const ISC_SHORT nullFlag = v.kind == Kind::Null ? -1 : 0;
                writeAt(inBuffer, inMeta->getNullOffset(&st.w, index), nullFlag);
                switch (v.kind) {
                case Kind::Null:
                    break;
                case Kind::Integer: {
                    const ISC_INT64 number =
                        v.variant.typeId() == QMetaType::ULongLong || v.variant.typeId() == QMetaType::ULong
                            ? ISC_INT64(v.variant.toULongLong())
                            : ISC_INT64(v.variant.toLongLong());
                    writeAt(inBuffer, offset, number);
                    break;
                }
                case Kind::Double:
                    writeAt(inBuffer, offset, v.variant.toDouble());
                    break;
                case Kind::Boolean:
                    writeAt(inBuffer, offset, FB_BOOLEAN(v.variant.toBool() ? FB_TRUE : FB_FALSE));
                    break;
                case Kind::Text: {
                    const ISC_USHORT length = ISC_USHORT(v.bytes.size());
                    writeAt(inBuffer, offset, length);
                    std::memcpy(inBuffer.data() + offset + sizeof(ISC_USHORT), v.bytes.constData(), length);
                    break;
                }
                case Kind::Date:
                    writeAt(inBuffer, offset, encodeDate(v.variant.toDate()));
                    break;
                case Kind::Time:
                    writeAt(inBuffer, offset, encodeTime(v.variant.toTime()));
                    break;
                case Kind::Timestamp: {
                    const QDateTime when = v.variant.toDateTime();
                    ISC_TIMESTAMP stamp;
                    stamp.timestamp_date = encodeDate(when.date());
                    stamp.timestamp_time = encodeTime(when.time());
                    writeAt(inBuffer, offset, stamp);
                    break;
                }
                case Kind::Blob:
                    writeAt(inBuffer, offset, writeBlob(attachment, transaction, v.bytes, v.textBlob));
                    break;
                }
            }
        }

        const bool hasCursor = (m_statement->getFlags(&st.w) & IStatement::FLAG_HAS_CURSOR) != 0;
        if (hasCursor) {
            m_atEnd = false;
            m_cursor = m_statement->openCursor(&st.w, transaction, inMeta,
                                               inBuffer.isEmpty() ? nullptr : inBuffer.data(), m_outMeta, 0);
        } else {
            const bool returnsRow = !m_columnInfo.isEmpty();
            m_statement->execute(&st.w, transaction, inMeta, inBuffer.isEmpty() ? nullptr : inBuffer.data(),
                                 returnsRow ? m_outMeta : nullptr, returnsRow ? m_outBuffer.data() : nullptr);
            m_rowsAffected = int(m_statement->getAffectedRecords(&st.w));
            if (returnsRow) {
                m_row.resize(m_columnInfo.size());
                for (qsizetype i = 0; i < m_columnInfo.size(); ++i)
                    m_row[i] = decodeColumn(m_columnInfo.at(i));
                if (wantCursor) {
                    m_singleRowOpen = true;
                    m_singleRowPending = true;
                } else {
                    m_hasRow = true;
                }
            }
        }
    } catch (const FbException &e) {
        FbError error = FbApi::errorFromStatus(e.getStatus());
        if (described)
            described->release();
        if (builder)
            builder->release();
        if (inMeta)
            inMeta->release();
        throw error;
    } catch (...) {
        if (described)
            described->release();
        if (builder)
            builder->release();
        if (inMeta)
            inMeta->release();
        throw;
    }
    if (inMeta)
        inMeta->release();
}

bool FbQuery::next()
{
    if (m_singleRowOpen) {
        m_hasRow = m_singleRowPending;
        m_singleRowPending = false;
        return m_hasRow;
    }
    if (!m_cursor || m_atEnd) {
        m_hasRow = false;
        return false;
    }
    Status st;
    try {
        if (m_cursor->fetchNext(&st.w, m_outBuffer.data()) != IStatus::RESULT_OK) {
            m_hasRow = false;
            m_atEnd = true;
            return false;
        }
        m_row.resize(m_columnInfo.size());
        for (qsizetype i = 0; i < m_columnInfo.size(); ++i)
            m_row[i] = decodeColumn(m_columnInfo.at(i));
    } catch (const FbException &e) {
        m_hasRow = false;
        throw FbApi::errorFromStatus(e.getStatus());
    }
    m_hasRow = true;
    return true;
}

QVariant FbQuery::decodeColumn(const Column &column) const
{
    if (readAt<ISC_SHORT>(m_outBuffer, column.nullOffset) != 0)
        return QVariant();
    const char *data = m_outBuffer.constData() + column.offset;
    // One division by an exact power of ten, so 1234 with scale -2 is the double nearest 12.34.
    auto scaled = [&column](ISC_INT64 number) -> QVariant {
        double divisor = 1.0;
        for (int i = 0; i < -column.scale; ++i)
            divisor *= 10.0;
        return double(number) / divisor;
    };
    switch (column.type) {
    case SQL_TEXT:
        return textValue(data, column.length, column.charSet, true);
    case SQL_VARYING: {
        const ISC_USHORT length = readAt<ISC_USHORT>(m_outBuffer, column.offset);
        return textValue(data + sizeof(ISC_USHORT), length, column.charSet, false);
    }
    case SQL_SHORT: {
        const ISC_SHORT number = readAt<ISC_SHORT>(m_outBuffer, column.offset);
        return column.scale < 0 ? scaled(number) : QVariant(int(number));
    }
    case SQL_LONG: {
        const ISC_LONG number = readAt<ISC_LONG>(m_outBuffer, column.offset);
        return column.scale < 0 ? scaled(number) : QVariant(int(number));
    }
    case SQL_INT64: {
        const ISC_INT64 number = readAt<ISC_INT64>(m_outBuffer, column.offset);
        return column.scale < 0 ? scaled(number) : QVariant(qint64(number));
    }
    case SQL_FLOAT:
        return double(readAt<float>(m_outBuffer, column.offset));
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        return readAt<double>(m_outBuffer, column.offset);
    case SQL_TYPE_DATE:
        return decodeDate(readAt<ISC_DATE>(m_outBuffer, column.offset));
    case SQL_TYPE_TIME:
        return decodeTime(readAt<ISC_TIME>(m_outBuffer, column.offset));
    case SQL_TIMESTAMP: {
        const ISC_TIMESTAMP stamp = readAt<ISC_TIMESTAMP>(m_outBuffer, column.offset);
        return QDateTime(decodeDate(stamp.timestamp_date), decodeTime(stamp.timestamp_time));
    }
    case SQL_BOOLEAN:
        return readAt<FB_BOOLEAN>(m_outBuffer, column.offset) != FB_FALSE;
    case SQL_BLOB: {
        const QByteArray bytes = readBlob(m_connection->attachment(), m_connection->transaction(),
                                          readAt<ISC_QUAD>(m_outBuffer, column.offset));
        if (column.subType == isc_blob_text)
            return textValue(bytes.constData(), bytes.size(), column.charSet, false);
        return bytes;
    }
    default:
        return QVariant();
    }
}

bool FbQuery::isOpen() const
{
    return m_cursor != nullptr || m_singleRowOpen;
}

void FbQuery::closeCursor()
{
    if (!m_cursor)
        return;
    try {
        Status st;
        m_cursor->close(&st.w); // releases the interface on success
    } catch (...) {
        m_cursor->release();
    }
    m_cursor = nullptr;
}

void FbQuery::close()
{
    closeCursor();
    m_singleRowOpen = false;
    m_singleRowPending = false;
    m_hasRow = false;
    m_row.clear();
}

void FbQuery::releaseHandles()
{
    if (m_cursor)
        m_cursor->release();
    m_cursor = nullptr;
    if (m_statement)
        m_statement->release();
    m_statement = nullptr;
    if (m_outMeta)
        m_outMeta->release();
    m_outMeta = nullptr;
    m_singleRowOpen = false;
    m_singleRowPending = false;
    m_hasRow = false;
    m_row.clear();
}

void FbQuery::dropCursor()
{
    if (m_cursor)
        m_cursor->release();
    m_cursor = nullptr;
    m_singleRowOpen = false;
    m_singleRowPending = false;
    m_hasRow = false;
}

void FbQuery::forgetConnection()
{
    releaseHandles();
    m_connection = nullptr;
}

QStringList FbQuery::columnNames() const
{
    return m_columns;
}

int FbQuery::columnCount() const
{
    return int(m_columns.size());
}

QVariant FbQuery::value(const QString &column) const
{
    const auto found = m_columnIndex.constFind(column.toUpper());
    if (found == m_columnIndex.constEnd())
        throw FbError(QStringLiteral("The result has no column \"%1\".").arg(column));
    return value(*found);
}

QVariant FbQuery::value(int index) const
{
    if (!m_hasRow || index < 0 || index >= m_row.size())
        return QVariant();
    return m_row.at(index);
}

bool FbQuery::isNull(const QString &column) const
{
    return !value(column).isValid();
}

int FbQuery::rowsAffected() const
{
    return m_rowsAffected;
}

QVariant FbQuery::scalar(FbConnection &connection, const QString &sql)
{
    FbQuery query(connection);
    query.setSql(sql);
    query.open();
    return query.next() ? query.value(0) : QVariant();
}

void FbQuery::execute(FbConnection &connection, const QString &sql)
{
    FbQuery query(connection);
    query.setSql(sql);
    query.exec();
}

qsizetype FbQuery::skipLiteralOrComment(const QString &sql, qsizetype pos)
{
    const qsizetype n = sql.size();
    if (pos >= n)
        return pos;
    const QChar c = sql.at(pos);
    const QChar after = pos + 1 < n ? sql.at(pos + 1) : QChar();
    if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
        qsizetype i = pos + 1;
        while (i < n) {
            if (sql.at(i) == c) {
                if (i + 1 < n && sql.at(i + 1) == c) { // a doubled quote stands for itself
                    i += 2;
                    continue;
                }
                return i + 1;
            }
            ++i;
        }
        return n;
    }
    if (c == QLatin1Char('-') && after == QLatin1Char('-')) {
        const qsizetype end = sql.indexOf(QLatin1Char('\n'), pos);
        return end < 0 ? n : end;
    }
    if (c == QLatin1Char('/') && after == QLatin1Char('*')) {
        const qsizetype end = sql.indexOf(QLatin1String("*/"), pos + 2);
        return end < 0 ? n : end + 2;
    }
    // q'<delimiter>text<closing delimiter>' (alternative string quoting)
    if ((c == QLatin1Char('q') || c == QLatin1Char('Q')) && after == QLatin1Char('\'') && pos + 2 < n &&
        (pos == 0 || !isNameChar(sql.at(pos - 1)))) {
        const QChar closing = closingDelimiter(sql.at(pos + 2));
        for (qsizetype i = pos + 3; i + 1 < n; ++i)
            if (sql.at(i) == closing && sql.at(i + 1) == QLatin1Char('\''))
                return i + 2;
        return n;
    }
    return pos;
}

QString FbQuery::translateParameters(const QString &sql, QStringList *names)
{
    QString out;
    out.reserve(sql.size());
    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n) {
        const qsizetype skipped = skipLiteralOrComment(sql, i);
        if (skipped != i) {
            out += QStringView(sql).mid(i, skipped - i);
            i = skipped;
            continue;
        }
        const QChar c = sql.at(i);
        if (c == QLatin1Char(':') && i + 1 < n && isNameStart(sql.at(i + 1))) {
            qsizetype end = i + 1;
            while (end < n && isNameChar(sql.at(end)))
                ++end;
            if (names)
                names->append(sql.mid(i + 1, end - i - 1).toUpper());
            out += QLatin1Char('?');
            i = end;
            continue;
        }
        // Keep identifiers whole so a q'...' check never starts inside one.
        if (isNameChar(c)) {
            qsizetype end = i + 1;
            while (end < n && isNameChar(sql.at(end)))
                ++end;
            out += QStringView(sql).mid(i, end - i);
            i = end;
            continue;
        }
        out += c;
        ++i;
    }
    return out;
}
