#pragma once

#include "database/FbError.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

class FbConnection;

namespace Firebird {
class IStatement;
class IResultSet;
class IMessageMetadata;
} // namespace Firebird

// A statement on a connection's current transaction, with ":NAME" parameters.
//
// The engine only knows positional '?' parameters; names are mapped here. A name may repeat, names
// are case-insensitive, and a ':' inside a string literal, a double-quoted identifier or a comment
// is not a parameter. Parameters are sent with the type of the value held (see setParam) and the
// engine converts them to the column's type, so a text for an integer column works. A parameter
// that was never set is sent as NULL.
//
// Commit and rollback (plain) on the connection close the open result set; the retaining forms
// keep it open. The statement is prepared once and reused until setSql() changes it.
class FbQuery
{
public:
    explicit FbQuery(FbConnection &connection);
    ~FbQuery();
    FbQuery(const FbQuery &) = delete;
    FbQuery &operator=(const FbQuery &) = delete;

    void setSql(const QString &sql);
    QString sql() const;
    // Off: the text goes to the engine unchanged (for scripts and procedure bodies whose
    // ":variables" are not parameters). On by default.
    void setParamCheck(bool on);
    bool paramCheck() const;
    // The distinct parameter names, upper case, in order of first appearance.
    QStringList paramNames() const;
    void clearParams();
    // The values set so far, by upper-case name (text blobs as their QString).
    QVariantMap paramValues() const;
    // Typed by the value: QString -> text (a text blob when the column is a blob), whole numbers and
    // bool -> 64-bit integer (bool as 0/1), double/float -> double precision, QDate -> date,
    // QDateTime -> timestamp (its local date and time as they stand), QTime -> time,
    // QByteArray -> binary blob, a null or invalid QVariant -> NULL. Throws FbError for a name
    // the statement does not have.
    void setParam(const QString &name, const QVariant &value);
    // A text blob in UTF-8, whatever the length.
    void setTextBlobParam(const QString &name, const QString &text);

    // Prepares the statement now (exec and open do it when needed). Throws FbError.
    void prepare();
    // A data definition statement (CREATE, ALTER, DROP ...); known once prepared.
    bool isDdl() const;

    // Runs a statement without result rows (insert, update, delete, DDL). A statement that
    // returns one row (RETURNING, EXECUTE PROCEDURE) leaves it readable through value(); a select
    // is opened as by open(). "COMMIT" / "ROLLBACK" [WORK] [RETAIN] act on the connection.
    // Throws FbError.
    void exec();
    // Opens a select. Throws FbError.
    void open();
    // Moves to the next row; the first call gives the first row, false after the last.
    bool next();
    bool isOpen() const;
    void close();

    // Upper-case alias names as the engine gives them.
    QStringList columnNames() const;
    int columnCount() const;
    // Case-insensitive column name. text -> QString, SMALLINT/INTEGER -> int, BIGINT -> qint64,
    // float/double/numeric/decimal -> double, date -> QDate, time -> QTime, timestamp -> QDateTime,
    // boolean -> bool, text blob -> QString, other blobs and OCTETS text -> QByteArray,
    // NULL -> a null QVariant. No current row gives a null QVariant. Throws FbError for an unknown
    // column name.
    QVariant value(const QString &column) const;
    QVariant value(int index) const;
    bool isNull(const QString &column) const;
    // Rows inserted, updated or deleted by the last exec().
    int rowsAffected() const;

    // The first column of the first row, or a null QVariant when there is no row.
    static QVariant scalar(FbConnection &connection, const QString &sql);
    static void execute(FbConnection &connection, const QString &sql);

    // sql with every ":NAME" parameter replaced by '?'; *names receives the upper-case name of
    // each '?' in order.
    static QString translateParameters(const QString &sql, QStringList *names);
    // When a string literal ('...', q'{...}'), a double-quoted identifier or a comment (-- or /* */)
    // begins at pos, the position just after it; otherwise pos.
    static qsizetype skipLiteralOrComment(const QString &sql, qsizetype pos);

private:
    friend class FbConnection;
    void releaseHandles();   // the attachment goes away: drop every handle without calls
    void dropCursor();       // the transaction ended: the result set is gone
    void forgetConnection(); // the connection object is destroyed

    struct Param
    {
        QVariant value;
        bool textBlob = false;
    };
    struct Column
    {
        unsigned type = 0;
        int subType = 0;
        int scale = 0;
        unsigned charSet = 0;
        unsigned length = 0;
        unsigned offset = 0;
        unsigned nullOffset = 0;
    };

    void checkUsable() const;
    void prepareStatement();
    void closeCursor();
    void run(bool wantCursor);
    QVariant decodeColumn(const Column &column) const;

    FbConnection *m_connection;
    QString m_sql;
    QString m_engineSql;
    bool m_paramCheck = true;
    QStringList m_positions;
    QStringList m_names;
    QHash<QString, Param> m_params;

    Firebird::IStatement *m_statement = nullptr;
    Firebird::IResultSet *m_cursor = nullptr;
    Firebird::IMessageMetadata *m_outMeta = nullptr;
    unsigned m_statementType = 0;
    QByteArray m_outBuffer;
    QVector<Column> m_columnInfo;
    QStringList m_columns;
    QHash<QString, int> m_columnIndex;
    QVector<QVariant> m_row;
    bool m_hasRow = false;
    bool m_atEnd = false;            // the engine refuses a fetch after it reported the end
    bool m_singleRowPending = false; // open() of a statement that returned its one row at once
    bool m_singleRowOpen = false;
    int m_rowsAffected = 0;
};
