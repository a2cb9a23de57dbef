#include "database/FbServices.h"

#include "database/FbConnection.h"

#include <firebird/Interface.h>

using namespace Firebird;

namespace {

struct Status
{
    ThrowStatusWrapper w{FbApi::master()->getStatus()};
    ~Status() { w.dispose(); }
};

// Starts one service action built by fillStart and reads its output a line at a time until the
// empty line that marks the end.
void runService(const QString &databaseString, const QString &user, const QString &password,
                const std::function<void(IXpbBuilder *, ThrowStatusWrapper *, const QByteArray &path)> &fillStart,
                const std::function<void(const QString &line)> &onLine)
{
    QString path;
    const QByteArray serviceName = ServiceManagerFor(databaseString, &path).toUtf8();

    IXpbBuilder *attachSpb = nullptr;
    IXpbBuilder *startSpb = nullptr;
    IProvider *provider = nullptr;
    IService *service = nullptr;
    Status st;
    auto cleanUp = [&] {
        if (attachSpb)
            attachSpb->dispose();
        if (startSpb)
            startSpb->dispose();
        if (service) {
            try {
                Status detachStatus;
                service->detach(&detachStatus.w);
            } catch (...) {
                service->release();
            }
        }
        if (provider)
            provider->release();
    };

    try {
        attachSpb = FbApi::util()->getXpbBuilder(&st.w, IXpbBuilder::SPB_ATTACH, nullptr, 0);
        attachSpb->insertString(&st.w, isc_spb_user_name, user.toUtf8().constData());
        attachSpb->insertString(&st.w, isc_spb_password, password.toUtf8().constData());
        attachSpb->insertTag(&st.w, isc_spb_utf8_filename);
        if (!FbConnection::isLocalDatabaseString(databaseString))
            attachSpb->insertInt(&st.w, isc_spb_connect_timeout, 20);
        provider = FbApi::master()->getDispatcher();
        service = provider->attachServiceManager(&st.w, serviceName.constData(), attachSpb->getBufferLength(&st.w),
                                                 attachSpb->getBuffer(&st.w));

        startSpb = FbApi::util()->getXpbBuilder(&st.w, IXpbBuilder::SPB_START, nullptr, 0);
        fillStart(startSpb, &st.w, path.toUtf8());
        service->start(&st.w, startSpb->getBufferLength(&st.w), startSpb->getBuffer(&st.w));

        const unsigned char items[] = {isc_info_svc_line};
        QByteArray reply(65535, '\0');
        QString partial; // a line longer than the reply buffer arrives in pieces
        for (bool done = false; !done;) {
            service->query(&st.w, 0, nullptr, sizeof items, items, unsigned(reply.size()),
                           reinterpret_cast<unsigned char *>(reply.data()));
            const auto *p = reinterpret_cast<const unsigned char *>(reply.constData());
            const auto *end = p + reply.size();
            bool truncated = false;
            bool gotLine = false;
            while (p < end && *p != isc_info_end) {
                const unsigned char item = *p++;
                if (item == isc_info_truncated) {
                    truncated = true;
                    continue;
                }
                if (item != isc_info_svc_line || p + 2 > end)
                    break;
                const unsigned length = unsigned(p[0]) | (unsigned(p[1]) << 8);
                p += 2;
                if (p + length > end)
                    break;
                gotLine = true;
                if (length == 0) {
                    done = true;
                    break;
                }
                partial += QString::fromUtf8(reinterpret_cast<const char *>(p), qsizetype(length));
                p += length;
            }
            if (!gotLine && !truncated)
                done = true; // nothing more will come
            if (!partial.isEmpty() && !truncated) {
                if (onLine)
                    onLine(partial);
                partial.clear();
            }
        }
        if (!partial.isEmpty() && onLine)
            onLine(partial);
    } catch (const FbException &e) {
        FbError error = FbApi::errorFromStatus(e.getStatus());
        cleanUp();
        throw error;
    } catch (...) {
        cleanUp();
        throw;
    }
    cleanUp();
}

} // namespace

QString ServiceManagerFor(const QString &databaseString, QString *path)
{
    QString server;
    QString file;
    if (!FbConnection::splitDatabaseString(databaseString, &server, &file)) {
        server.clear();
        file = databaseString;
    }
    if (path)
        *path = file;
    return server.isEmpty() ? QStringLiteral("service_mgr") : server + QStringLiteral(":service_mgr");
}

void BackupDatabase(const QString &databaseString, const QString &backupFile, const QString &user,
                    const QString &password, const std::function<void(const QString &line)> &onLine)
{
    const QByteArray file = backupFile.toUtf8();
    runService(
        databaseString, user, password,
        [&file](IXpbBuilder *spb, ThrowStatusWrapper *st, const QByteArray &path) {
            spb->insertTag(st, isc_action_svc_backup);
            spb->insertString(st, isc_spb_dbname, path.constData());
            spb->insertString(st, isc_spb_bkp_file, file.constData());
            spb->insertTag(st, isc_spb_verbose);
        },
        onLine);
}

void RestoreDatabase(const QString &backupFile, const QString &databaseString, bool replace, const QString &user,
                     const QString &password, const std::function<void(const QString &line)> &onLine)
{
    const QByteArray file = backupFile.toUtf8();
    runService(
        databaseString, user, password,
        [&file, replace](IXpbBuilder *spb, ThrowStatusWrapper *st, const QByteArray &path) {
            spb->insertTag(st, isc_action_svc_restore);
            spb->insertString(st, isc_spb_bkp_file, file.constData());
            spb->insertString(st, isc_spb_dbname, path.constData());
            spb->insertInt(st, isc_spb_options, replace ? isc_spb_res_replace : isc_spb_res_create);
            spb->insertTag(st, isc_spb_verbose);
        },
        onLine);
}
