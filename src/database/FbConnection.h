#pragma once

#include "database/FbError.h"

#include <QSet>
#include <QString>

namespace Firebird {
class IMaster;
class IUtil;
class IStatus;
class IAttachment;
class ITransaction;
} // namespace Firebird

class FbQuery;

// Points FIREBIRD_LOCK at a private folder (created 0700 under the temporary folder) unless it is
// already set, so the embedded engine never depends on a shared /tmp/firebird made by another
// user. Runs once per process before the client library is first used; later calls return the
// same folder. Called automatically by everything in this layer.
QString EnsureFirebirdLockFolder();

// One attachment to a collection database with at most one transaction.
//
// Local files (an absolute path) are opened through the embedded engine; "host[/port]:path" goes
// to a Firebird server. The connection character set is always UTF8 and the SQL dialect 3.
// Transactions are read committed (record versions) and do not wait for locks: the program runs
// two connections on one thread, so a wait would hang it; a conflicting update fails at once.
class FbConnection
{
public:
    FbConnection();
    ~FbConnection();
    FbConnection(const FbConnection &) = delete;
    FbConnection &operator=(const FbConnection &) = delete;

    void setDatabaseName(const QString &databaseString);
    QString databaseName() const;
    void setUserName(const QString &userName);
    QString userName() const;
    void setPassword(const QString &password);
    QString password() const;

    bool isConnected() const;
    // Attaches to databaseName(); starts no transaction. Does nothing when already connected.
    // Throws FbError.
    void connect();
    // Rolls back an open transaction and detaches. Never throws; does nothing when closed.
    void disconnect();
    // Creates databaseName() (after closing any open attachment) and leaves it connected without a
    // transaction. The file must not exist. Throws FbError with the engine's message.
    void createDatabase(int pageSize = 4096, const QString &defaultCharacterSet = QStringLiteral("UTF8"));

    // Starts the transaction; throws FbError when one is already active or on failure.
    void startTransaction();
    bool inTransaction() const;
    // commit() and rollback() end the transaction (open result sets of queries are closed); the
    // retaining forms keep it usable and keep result sets open. All throw FbError.
    void commit();
    void commitRetaining();
    void rollback();
    void rollbackRetaining();

    // True for an absolute path of this system (a drive letter path or UNC path on Windows, "/..."
    // elsewhere); anything else is taken as "host[/port]:path".
    static bool isLocalDatabaseString(const QString &databaseString);
    // Splits "host[/port]:path" into its server part ("host[/port]", "[v6addr]/port" allowed) and
    // the path after the first ':' that follows it. A local string gives an empty server and
    // itself as the path. Returns false when a remote string has no ':' after the host part.
    static bool splitDatabaseString(const QString &databaseString, QString *server, QString *path);

    // For the rest of the access layer: the raw attachment and transaction (null when absent).
    Firebird::IAttachment *attachment() const { return m_attachment; }
    Firebird::ITransaction *transaction() const { return m_transaction; }

private:
    friend class FbQuery;
    void addQuery(FbQuery *query) { m_queries.insert(query); }
    void removeQuery(FbQuery *query) { m_queries.remove(query); }
    void closeQueryCursors();
    void attach(bool create, int pageSize, const QString &defaultCharacterSet);

    QString m_databaseName;
    QString m_userName = QStringLiteral("SYSDBA");
    QString m_password = QStringLiteral("tavernoak");
    Firebird::IAttachment *m_attachment = nullptr;
    Firebird::ITransaction *m_transaction = nullptr;
    QSet<FbQuery *> m_queries;
};

// Helpers shared by the access layer's sources; not meant for the rest of the program.
namespace FbApi {
Firebird::IMaster *master();
Firebird::IUtil *util();
// The engine's message for a status: every line, joined with "\n".
QString statusText(Firebird::IStatus *status);
FbError errorFromStatus(Firebird::IStatus *status);
} // namespace FbApi
