#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMap>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QTcpServer>

class QTcpSocket;

// A small web server on 127.0.0.1 for tests and demonstrations: it serves the pages we wrote
// under its root folder and can answer with chosen statuses, delays, redirects, gzip bodies and
// the challenge answers that sites give to robots.
//
// Files: "/title/tt0000001/" serves root/title/tt0000001/index.html; the query string is ignored.
// In .html, .xml, .json and .txt files "{{BASE}}" becomes the server's own address.
// Built-in paths:
//   /status/CODE                  that status with a short body
//   /redirect/N/PATH              N redirects in a row, then PATH
//   /redirect-loop                redirects to itself for ever
//   /delay/MS/PATH                PATH after MS milliseconds
//   /gzip/PATH, /gzip-truncated/PATH   PATH gzip-encoded, whole or cut short
//   /challenge/empty|403|429      a 200 without a body, or a 403 or 429 challenge page
// Requests in absolute form ("GET http://host/path") are answered as a proxy would.
class FixtureServer : public QTcpServer
{
    Q_OBJECT
public:
    struct Response
    {
        int status = 200;
        QByteArray contentType = "text/html; charset=utf-8";
        QList<QPair<QByteArray, QByteArray>> headers;
        QByteArray body;
        int delayMs = 0;
        bool gzip = false;
        bool truncateGzip = false;
    };

    struct Request
    {
        QByteArray method;
        // As sent: a path, or an absolute address when the request came through a proxy.
        QByteArray target;
        QString path;
        // Header names in lower case.
        QMap<QByteArray, QByteArray> headers;
    };

    explicit FixtureServer(const QString &rootFolder, QObject *parent = nullptr);

    // Listens on 127.0.0.1; port 0 takes a free one.
    bool start(quint16 port = 0);
    QString baseUrl() const;
    QString rootFolder() const { return m_root; }

    // A fixed answer for one path (without query), ahead of files and built-in paths.
    void setRoute(const QString &path, const Response &response);
    void removeRoute(const QString &path);
    void clearRoutes();
    // Answers proxy requests with 407 until they carry these Basic credentials.
    void requireProxyAuthorization(const QString &user, const QString &password);

    const QList<Request> &requests() const { return m_requests; }
    void clearRequests() { m_requests.clear(); }

    static QByteArray gzipCompress(const QByteArray &data);

protected:
    void incomingConnection(qintptr socketDescriptor) override;

private:
    void readRequest(QTcpSocket *socket);
    Response respond(const Request &request, bool viaProxy);
    Response fileResponse(const QString &path);
    void send(QTcpSocket *socket, const Response &response);

    QString m_root;
    QHash<QString, Response> m_routes;
    QList<Request> m_requests;
    QByteArray m_proxyCredentials;
    QHash<QTcpSocket *, QByteArray> m_buffers;
};

// A plain definitions file turned towards a fixture server: in every value that is a web address,
// the scheme and host become baseUrl, so every site the definitions name is served by it.
QStringList FixtureDefinitionLines(const QStringList &plainLines, const QString &baseUrl);
