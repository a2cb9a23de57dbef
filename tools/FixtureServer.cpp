#include "FixtureServer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <QPointer>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

#include <zlib.h>

namespace {

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 202:
        return "Accepted";
    case 204:
        return "No Content";
    case 301:
        return "Moved Permanently";
    case 302:
        return "Found";
    case 403:
        return "Forbidden";
    case 404:
        return "Not Found";
    case 407:
        return "Proxy Authentication Required";
    case 429:
        return "Too Many Requests";
    case 500:
        return "Internal Server Error";
    case 503:
        return "Service Unavailable";
    }
    return "Status";
}

QByteArray contentTypeFor(const QString &path)
{
    const QString name = QFileInfo(path).fileName().toLower();
    if (name.endsWith(QLatin1String(".latin1.html")))
        return "text/html; charset=iso-8859-1";
    if (name.endsWith(QLatin1String(".nocharset.html")))
        return "text/html";
    if (name.endsWith(QLatin1String(".html")))
        return "text/html; charset=utf-8";
    if (name.endsWith(QLatin1String(".xml")))
        return "application/xml";
    if (name.endsWith(QLatin1String(".json")))
        return "application/json";
    if (name.endsWith(QLatin1String(".txt")))
        return "text/plain";
    if (name.endsWith(QLatin1String(".jpg")) || name.endsWith(QLatin1String(".jpeg")))
        return "image/jpeg";
    if (name.endsWith(QLatin1String(".png")))
        return "image/png";
    return "application/octet-stream";
}

bool isTemplateFile(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("html") || suffix == QLatin1String("xml") || suffix == QLatin1String("json") ||
           suffix == QLatin1String("txt");
}

FixtureServer::Response textResponse(int status, const QByteArray &body)
{
    FixtureServer::Response response;
    response.status = status;
    response.body = body;
    return response;
}

} // namespace

FixtureServer::FixtureServer(const QString &rootFolder, QObject *parent)
    : QTcpServer(parent)
    , m_root(QDir::cleanPath(rootFolder))
{}

bool FixtureServer::start(quint16 port)
{
    return listen(QHostAddress::LocalHost, port);
}

QString FixtureServer::baseUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(serverPort());
}

void FixtureServer::setRoute(const QString &path, const Response &response)
{
    m_routes.insert(path, response);
}

void FixtureServer::removeRoute(const QString &path)
{
    m_routes.remove(path);
}

void FixtureServer::clearRoutes()
{
    m_routes.clear();
}

void FixtureServer::requireProxyAuthorization(const QString &user, const QString &password)
{
    m_proxyCredentials = "Basic " + (user + QLatin1Char(':') + password).toUtf8().toBase64();
}

QByteArray FixtureServer::gzipCompress(const QByteArray &data)
{
    z_stream stream{};
    // 31: a gzip header and trailer around the deflate data.
    if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 31, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return QByteArray();
    QByteArray out(static_cast<int>(deflateBound(&stream, static_cast<uLong>(data.size()))) + 32, Qt::Uninitialized);
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef *>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int result = deflate(&stream, Z_FINISH);
    out.resize(static_cast<int>(stream.total_out));
    deflateEnd(&stream);
    return result == Z_STREAM_END ? out : QByteArray();
}

void FixtureServer::incomingConnection(qintptr socketDescriptor)
{
    auto *socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(socketDescriptor)) {
        delete socket;
        return;
    }
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readRequest(socket); });
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
        m_buffers.remove(socket);
        socket->deleteLater();
    });
}

void FixtureServer::readRequest(QTcpSocket *socket)
{
    QByteArray &buffer = m_buffers[socket];
    buffer += socket->readAll();
    for (;;) {
        const qsizetype end = buffer.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const QByteArray head = buffer.left(end);
        buffer.remove(0, end + 4);

        const QList<QByteArray> lines = head.split('\n');
        const QList<QByteArray> requestLine = lines.value(0).trimmed().split(' ');
        Request request;
        request.method = requestLine.value(0);
        request.target = requestLine.value(1);
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const QByteArray line = lines.at(i).trimmed();
            const qsizetype colon = line.indexOf(':');
            if (colon > 0)
                request.headers.insert(line.left(colon).trimmed().toLower(), line.mid(colon + 1).trimmed());
        }
        const bool viaProxy = request.target.startsWith("http://") || request.target.startsWith("https://");
        const QUrl url = viaProxy ? QUrl(QString::fromLatin1(request.target))
                                  : QUrl(QStringLiteral("http://fixture") + QString::fromLatin1(request.target));
        request.path = url.path();
        m_requests.append(request);
        send(socket, respond(request, viaProxy));
    }
}

FixtureServer::Response FixtureServer::respond(const Request &request, bool viaProxy)
{
    if (viaProxy && !m_proxyCredentials.isEmpty() &&
        request.headers.value("proxy-authorization") != m_proxyCredentials) {
        Response response = textResponse(407, "<html><body>Proxy authentication required</body></html>");
        response.headers.append(qMakePair(QByteArray("Proxy-Authenticate"), QByteArray("Basic realm=\"fixture\"")));
        return response;
    }
    const QString path = request.path;
    if (m_routes.contains(path))
        return m_routes.value(path);

    const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    const QString first = parts.value(0);
    const auto restFrom = [&parts, &path](int index) {
        QString rest = QLatin1Char('/') + parts.mid(index).join(QLatin1Char('/'));
        if (path.endsWith(QLatin1Char('/')) && parts.size() > index)
            rest += QLatin1Char('/');
        return rest;
    };

    if (first == QLatin1String("status")) {
        const int status = parts.value(1).toInt();
        return textResponse(status > 0 ? status : 500, "<html><body>Status page</body></html>");
    }
    if (first == QLatin1String("redirect-loop")) {
        Response response = textResponse(302, QByteArray());
        response.headers.append(qMakePair(QByteArray("Location"), QByteArray("/redirect-loop")));
        return response;
    }
    if (first == QLatin1String("redirect")) {
        const int count = parts.value(1).toInt();
        const QString target = restFrom(2);
        Response response = textResponse(302, QByteArray());
        const QString location = count > 1 ? QStringLiteral("/redirect/%1%2").arg(count - 1).arg(target) : target;
        response.headers.append(qMakePair(QByteArray("Location"), location.toUtf8()));
        return response;
    }
    if (first == QLatin1String("delay")) {
        Response response = fileResponse(restFrom(2));
        response.delayMs = parts.value(1).toInt();
        return response;
    }
    if (first == QLatin1String("gzip") || first == QLatin1String("gzip-truncated")) {
        Response response = fileResponse(restFrom(1));
        response.gzip = true;
        response.truncateGzip = first == QLatin1String("gzip-truncated");
        return response;
    }
    if (first == QLatin1String("challenge")) {
        const QString kind = parts.value(1);
        if (kind == QLatin1String("empty"))
            return textResponse(200, QByteArray());
        return textResponse(kind.toInt() > 0 ? kind.toInt() : 403,
                            "<html><head><title>Just a moment</title></head><body><script>/* prove you are a "
                            "person */</script></body></html>");
    }
    return fileResponse(path);
}

FixtureServer::Response FixtureServer::fileResponse(const QString &path)
{
    QString local = m_root + QDir::cleanPath(QLatin1Char('/') + path);
    if (QFileInfo(local).isDir())
        local += QStringLiteral("/index.html");
    // Nothing outside the root is served.
    if (!QDir::cleanPath(local).startsWith(m_root + QLatin1Char('/')))
        return textResponse(404, "<html><body>Not found</body></html>");
    QFile file(local);
    if (!file.open(QIODevice::ReadOnly))
        return textResponse(404, "<html><body>Not found</body></html>");
    Response response;
    response.body = file.readAll();
    if (isTemplateFile(local))
        response.body.replace("{{BASE}}", baseUrl().toUtf8());
    response.contentType = contentTypeFor(local);
    return response;
}

void FixtureServer::send(QTcpSocket *socket, const Response &response)
{
    QByteArray body = response.body;
    QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) + ' ' + reasonPhrase(response.status) + "\r\n";
    if (!response.contentType.isEmpty())
        head += "Content-Type: " + response.contentType + "\r\n";
    if (response.gzip) {
        body = gzipCompress(body);
        if (response.truncateGzip)
            body.truncate(body.size() / 2);
        head += "Content-Encoding: gzip\r\n";
    }
    for (const auto &[name, value] : response.headers)
        head += name + ": " + value + "\r\n";
    head += "Content-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n";

    QPointer<QTcpSocket> target(socket);
    const auto write = [target, head, body] {
        if (!target)
            return;
        target->write(head);
        target->write(body);
        target->disconnectFromHost();
    };
    if (response.delayMs > 0)
        QTimer::singleShot(response.delayMs, this, write);
    else
        write();
}

QStringList FixtureDefinitionLines(const QStringList &plainLines, const QString &baseUrl)
{
    static const QRegularExpression address(QStringLiteral("^(https?://[^/\\s]+)"));
    QStringList lines;
    for (const QString &line : plainLines) {
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals < 0) {
            lines << line;
            continue;
        }
        QString value = line.mid(equals + 1).trimmed();
        const QRegularExpressionMatch match = address.match(value);
        if (match.hasMatch())
            value = baseUrl + value.mid(match.capturedLength(1));
        lines << line.left(equals + 1) + value;
    }
    return lines;
}
