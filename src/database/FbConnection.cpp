#include "database/FbConnection.h"

#include "database/FbQuery.h"

#include <firebird/Interface.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#ifndef Q_OS_WIN
#include <clocale>
#include <langinfo.h>
#include <unistd.h>
#endif

using namespace Firebird;

namespace {

struct Status
{
    ThrowStatusWrapper w{FbApi::master()->getStatus()};
    ~Status() { w.dispose(); }
};

QString currentUserTag()
{
#ifdef Q_OS_WIN
    QString name = qEnvironmentVariable("USERNAME");
    name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_.-]")), QStringLiteral("_"));
    return name.isEmpty() ? QStringLiteral("user") : name;
#else
    return QString::number(getuid());
#endif
}

// A folder we made ourselves, or one that is ours and private; never a folder another user planted.
bool isOwnPrivateFolder(const QString &path)
{
    QDir().mkdir(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFileInfo info(path);
    if (!info.isDir() || info.isSymLink())
        return false;
#ifndef Q_OS_WIN
    if (info.ownerId() != getuid())
        return false;
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
#endif
    return QFileInfo(path).isWritable();
}

// Read committed with record versions, so readers see committed work of other attachments and
// never block; no wait, so a lock conflict between our own two connections fails instead of
// hanging the single UI thread.
const unsigned char kTransactionParameters[] = {isc_tpb_version3, isc_tpb_write, isc_tpb_read_committed,
                                                isc_tpb_rec_version, isc_tpb_nowait};

} // namespace

QString EnsureFirebirdLockFolder()
{
    static const QString folder = [] {
        const QByteArray existing = qgetenv("FIREBIRD_LOCK");
        if (!existing.isEmpty())
            return QFile::decodeName(existing);
        const QString base = QDir::tempPath() + QStringLiteral("/reelnest-firebird-") + currentUserTag();
        QString path = base;
        if (!isOwnPrivateFolder(path)) {
            QTemporaryDir fresh(base + QStringLiteral("-XXXXXX"));
            fresh.setAutoRemove(false);
            if (fresh.isValid())
                path = fresh.path();
        }
        qputenv("FIREBIRD_LOCK", QFile::encodeName(path));
        return path;
    }();
    return folder;
}

namespace FbApi {

IMaster *master()
{
    static IMaster *const instance = [] {
        // The lock folder must be in the environment before the client library reads its configuration.
        EnsureFirebirdLockFolder();
#ifndef Q_OS_WIN
        // The client converts file names between UTF-8 and the C library's character set; under
        // the plain "C" locale that fails for every non-ASCII path. Our file names are UTF-8 (as
        // Qt takes them), so make the character set say so, as later Qt versions do themselves.
        const char *codeset = nl_langinfo(CODESET);
        if (!codeset || (qstricmp(codeset, "UTF-8") != 0 && qstricmp(codeset, "UTF8") != 0))
            setlocale(LC_CTYPE, "C.UTF-8");
#endif
        return fb_get_master_interface();
    }();
    return instance;
}

IUtil *util()
{
    return master()->getUtilInterface();
}

QString statusText(IStatus *status)
{
    QByteArray buffer(16384, '\0');
    util()->formatStatus(buffer.data(), unsigned(buffer.size()), status);
    return QString::fromUtf8(buffer.constData()).trimmed();
}

FbError errorFromStatus(IStatus *status)
{
    long code = 0;
    const intptr_t *errors = status->getErrors();
    if (errors && errors[0] == isc_arg_gds)
        code = long(errors[1]);
    return FbError(statusText(status), code);
}

} // namespace FbApi

FbConnection::FbConnection() = default;

FbConnection::~FbConnection()
{
    disconnect();
    const auto queries = m_queries;
    for (FbQuery *query : queries)
        query->forgetConnection();
}

void FbConnection::setDatabaseName(const QString &databaseString)
{
    m_databaseName = databaseString;
}

QString FbConnection::databaseName() const
{
    return m_databaseName;
}

void FbConnection::setUserName(const QString &userName)
{
    m_userName = userName;
}

QString FbConnection::userName() const
{
    return m_userName;
}

void FbConnection::setPassword(const QString &password)
{
    m_password = password;
}

QString FbConnection::password() const
{
    return m_password;
}

bool FbConnection::isConnected() const
{
    return m_attachment != nullptr;
}

void FbConnection::connect()
{
    if (m_attachment)
        return;
    attach(false, 0, QString());
}

void FbConnection::createDatabase(int pageSize, const QString &defaultCharacterSet)
{
    disconnect();
    attach(true, pageSize, defaultCharacterSet);
}

void FbConnection::attach(bool create, int pageSize, const QString &defaultCharacterSet)
{
    if (m_databaseName.trimmed().isEmpty())
        throw FbError(QStringLiteral("No database file name was given."));

    IXpbBuilder *dpb = nullptr;
    IProvider *provider = nullptr;
    Status st;
    try {
        dpb = FbApi::util()->getXpbBuilder(&st.w, IXpbBuilder::DPB, nullptr, 0);
        dpb->insertTag(&st.w, isc_dpb_utf8_filename);
        dpb->insertString(&st.w, isc_dpb_user_name, m_userName.toUtf8().constData());
        dpb->insertString(&st.w, isc_dpb_password, m_password.toUtf8().constData());
        dpb->insertString(&st.w, isc_dpb_lc_ctype, "UTF8");
        dpb->insertInt(&st.w, isc_dpb_sql_dialect, 3);
        if (!isLocalDatabaseString(m_databaseName))
            dpb->insertInt(&st.w, isc_dpb_connect_timeout, 20); // the default of three minutes looks like a hang
        if (create) {
            dpb->insertInt(&st.w, isc_dpb_page_size, pageSize);
            if (!defaultCharacterSet.isEmpty())
                dpb->insertString(&st.w, isc_dpb_set_db_charset, defaultCharacterSet.toUtf8().constData());
        }

        provider = FbApi::master()->getDispatcher();
        const QByteArray name = m_databaseName.toUtf8();
        if (create)
            m_attachment =
                provider->createDatabase(&st.w, name.constData(), dpb->getBufferLength(&st.w), dpb->getBuffer(&st.w));
        else
            m_attachment =
                provider->attachDatabase(&st.w, name.constData(), dpb->getBufferLength(&st.w), dpb->getBuffer(&st.w));
    } catch (const FbException &e) {
        FbError error = FbApi::errorFromStatus(e.getStatus());
        if (dpb)
            dpb->dispose();
        if (provider)
            provider->release();
        throw error;
    }
    dpb->dispose();
    provider->release();
}

void FbConnection::disconnect()
{
    if (!m_attachment)
        return;
    const auto queries = m_queries;
    for (FbQuery *query : queries)
        query->releaseHandles();
    try {
        Status st;
        if (m_transaction) {
            try {
                m_transaction->rollback(&st.w); // releases the interface on success
            } catch (const FbException &) {
                m_transaction->release();
            }
            m_transaction = nullptr;
        }
        try {
            m_attachment->detach(&st.w);
        } catch (const FbException &) {
            m_attachment->release();
        }
    } catch (...) {
    }
    m_transaction = nullptr;
    m_attachment = nullptr;
}

void FbConnection::startTransaction()
{
    if (!m_attachment)
        throw FbError(QStringLiteral("The database connection is not open."));
    if (m_transaction)
        throw FbError(QStringLiteral("A transaction is already active on this database connection."));
    Status st;
    try {
        m_transaction = m_attachment->startTransaction(&st.w, sizeof kTransactionParameters, kTransactionParameters);
    } catch (const FbException &e) {
        throw FbApi::errorFromStatus(e.getStatus());
    }
}

bool FbConnection::inTransaction() const
{
    return m_transaction != nullptr;
}

namespace {
ITransaction *requireTransaction(ITransaction *transaction)
{
    if (!transaction)
        throw FbError(QStringLiteral("No transaction is active on this database connection."));
    return transaction;
}
} // namespace

void FbConnection::commit()
{
    Status st;
    try {
        requireTransaction(m_transaction)->commit(&st.w);
    } catch (const FbException &e) {
        throw FbApi::errorFromStatus(e.getStatus());
    }
    m_transaction = nullptr;
    closeQueryCursors();
}

void FbConnection::commitRetaining()
{
    Status st;
    try {
        requireTransaction(m_transaction)->commitRetaining(&st.w);
    } catch (const FbException &e) {
        throw FbApi::errorFromStatus(e.getStatus());
    }
}

void FbConnection::rollback()
{
    Status st;
    try {
        requireTransaction(m_transaction)->rollback(&st.w);
    } catch (const FbException &e) {
        throw FbApi::errorFromStatus(e.getStatus());
    }
    m_transaction = nullptr;
    closeQueryCursors();
}

void FbConnection::rollbackRetaining()
{
    Status st;
    try {
        requireTransaction(m_transaction)->rollbackRetaining(&st.w);
    } catch (const FbException &e) {
        throw FbApi::errorFromStatus(e.getStatus());
    }
}

void FbConnection::closeQueryCursors()
{
    const auto queries = m_queries;
    for (FbQuery *query : queries)
        query->dropCursor();
}

bool FbConnection::isLocalDatabaseString(const QString &databaseString)
{
#ifdef Q_OS_WIN
    const QString &s = databaseString;
    if (s.startsWith(QLatin1String("\\\\")))
        return true;
    return s.size() >= 3 && s.at(0).isLetter() && s.at(1) == QLatin1Char(':') &&
           (s.at(2) == QLatin1Char('\\') || s.at(2) == QLatin1Char('/'));
#else
    return databaseString.startsWith(QLatin1Char('/'));
#endif
}

bool FbConnection::splitDatabaseString(const QString &databaseString, QString *server, QString *path)
{
    if (isLocalDatabaseString(databaseString)) {
        if (server)
            server->clear();
        if (path)
            *path = databaseString;
        return true;
    }
    // An IPv6 address is written in brackets and holds colons of its own.
    qsizetype from = 0;
    if (databaseString.startsWith(QLatin1Char('['))) {
        from = databaseString.indexOf(QLatin1Char(']'));
        if (from < 0)
            return false;
    }
    const qsizetype colon = databaseString.indexOf(QLatin1Char(':'), from);
    if (colon <= 0)
        return false;
    if (server)
        *server = databaseString.left(colon);
    if (path)
        *path = databaseString.mid(colon + 1);
    return true;
}
