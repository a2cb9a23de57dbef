#include "online/HttpClient.h"

#include "core/GlobalFunctions.h"
#include "core/UserInterface.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkCookie>
#include <QNetworkCookieJar>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QUrl>

#include <zlib.h>

namespace {

// Cookies are never kept nor sent.
class NoCookieJar : public QNetworkCookieJar
{
public:
    using QNetworkCookieJar::QNetworkCookieJar;
    QList<QNetworkCookie> cookiesForUrl(const QUrl &) const override { return {}; }
    bool setCookiesFromUrl(const QList<QNetworkCookie> &, const QUrl &) override { return false; }
};

// Errors of the connection itself rather than answers of the server.
bool isSocketError(QNetworkReply::NetworkError error)
{
    switch (error) {
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::RemoteHostClosedError:
    case QNetworkReply::HostNotFoundError:
    case QNetworkReply::TimeoutError:
    case QNetworkReply::OperationCanceledError:
    case QNetworkReply::SslHandshakeFailedError:
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::UnknownNetworkError:
    case QNetworkReply::ProxyConnectionRefusedError:
    case QNetworkReply::ProxyConnectionClosedError:
    case QNetworkReply::ProxyNotFoundError:
    case QNetworkReply::ProxyTimeoutError:
        return true;
    default:
        return false;
    }
}

// The bytes 0x80 to 0x9F of Windows-1252; the rest of the code page is Latin-1.
QString decodeWindows1252(const QByteArray &bytes)
{
    static const char16_t high[32] = {0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D,   0x017D, 0x8F,
                                      0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};
    QString text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        text += (b >= 0x80 && b < 0xA0) ? QChar(high[b - 0x80]) : QChar(b);
    }
    return text;
}

QByteArray charsetOf(const QByteArray &contentType)
{
    static const QRegularExpression pattern(QStringLiteral("charset\\s*=\\s*[\"']?([A-Za-z0-9._:-]+)"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(QString::fromLatin1(contentType));
    return match.hasMatch() ? match.captured(1).toLatin1().toLower() : QByteArray();
}

QString decodeAs(const QByteArray &body, const QByteArray &charset, bool *known)
{
    *known = true;
    if (charset == "windows-1252" || charset == "cp1252" || charset == "x-cp1252")
        return decodeWindows1252(body);
    // Pages that say Latin-1 are nearly always Windows-1252, as browsers assume too.
    if (charset == "iso-8859-1" || charset == "latin1" || charset == "latin-1" || charset == "us-ascii")
        return decodeWindows1252(body);
    if (auto encoding = QStringConverter::encodingForName(charset.constData())) {
        QStringDecoder decoder(*encoding);
        return decoder.decode(body);
    }
    *known = false;
    return QString();
}

// Inflates a gzip, zlib or raw deflate body; false when the stream is damaged or ends early.
bool inflateBody(const QByteArray &in, int windowBits, QByteArray *out)
{
    z_stream stream{};
    if (inflateInit2(&stream, windowBits) != Z_OK)
        return false;
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(in.constData()));
    stream.avail_in = static_cast<uInt>(in.size());
    out->clear();
    char chunk[16384];
    int result = Z_OK;
    while (result == Z_OK) {
        stream.next_out = reinterpret_cast<Bytef *>(chunk);
        stream.avail_out = sizeof(chunk);
        result = inflate(&stream, Z_NO_FLUSH);
        out->append(chunk, static_cast<qsizetype>(sizeof(chunk) - stream.avail_out));
        if (result == Z_BUF_ERROR && stream.avail_in == 0)
            break;
    }
    inflateEnd(&stream);
    return result == Z_STREAM_END;
}

// The body as sent before its content encoding; false when it cannot be decoded.
bool decodeContent(const QByteArray &encoding, const QByteArray &body, QByteArray *out)
{
    const QByteArray name = encoding.trimmed().toLower();
    if (name.isEmpty() || name == "identity") {
        *out = body;
        return true;
    }
    // 15 + 32: a zlib or gzip header, told apart by the stream itself.
    if (name == "gzip" || name == "x-gzip")
        return inflateBody(body, 15 + 32, out);
    // "deflate" is sent with a zlib header by most servers and without one by some.
    if (name == "deflate")
        return inflateBody(body, 15 + 32, out) || inflateBody(body, -15, out);
    return false;
}

} // namespace

HttpClient::HttpClient()
    : m_manager(std::make_unique<QNetworkAccessManager>())
{
    m_manager->setCookieJar(new NoCookieJar(m_manager.get()));
    m_manager->setProxy(QNetworkProxy(QNetworkProxy::NoProxy));
}

HttpClient::~HttpClient() = default;

void HttpClient::setProxy(const QNetworkProxy &proxy)
{
    m_manager->setProxy(proxy);
}

QNetworkProxy HttpClient::proxy() const
{
    return m_manager->proxy();
}

HttpResult HttpClient::get(const QString &address)
{
    HttpResult result;
    const QUrl url(address);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() ||
        (scheme != QLatin1String("http") && scheme != QLatin1String("https"))) {
        result.errorMessage = QStringLiteral("Invalid address: %1").arg(address);
        return result;
    }
    if (scheme == QLatin1String("https") && !tls) {
        result.errorMessage = QStringLiteral("Secure addresses are not enabled for this connection: %1").arg(address);
        return result;
    }

    QNetworkRequest request(url);
    // Never from https back to plain http: a redirect may not take away the protection asked for.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(maxRedirects);
    request.setAttribute(QNetworkRequest::CookieLoadControlAttribute, QNetworkRequest::Manual);
    request.setAttribute(QNetworkRequest::CookieSaveControlAttribute, QNetworkRequest::Manual);
    if (!userAgent.isEmpty())
        request.setHeader(QNetworkRequest::UserAgentHeader, userAgent);
    // Asking ourselves keeps Qt from decoding the body, so that a damaged or cut-off compressed
    // answer is found out instead of being passed on as a shorter page.
    request.setRawHeader("Accept-Encoding", decompress ? "gzip, deflate" : "identity");
    if (timeout > 0)
        request.setTransferTimeout(timeout);

    UserInterface &ui = userInterface();
    ui.processEvents();
    std::unique_ptr<QNetworkReply> reply(m_manager->get(request));
    if (!reply->isFinished()) {
        QEventLoop loop;
        QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    ui.processEvents();

    result.finalAddress = reply->url().toString();
    result.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QString reason = reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
    const QNetworkReply::NetworkError error = reply->error();
    if (result.status == 403 || result.status == 429) {
        result.refused = true;
        result.errorMessage = QStringLiteral("HTTP/1.1 %1 %2").arg(result.status).arg(reason).trimmed();
        return result;
    }
    if (error != QNetworkReply::NoError) {
        result.socketError = isSocketError(error);
        if (result.status >= 300 && error != QNetworkReply::TooManyRedirectsError &&
            error != QNetworkReply::InsecureRedirectError)
            result.errorMessage = QStringLiteral("HTTP/1.1 %1 %2").arg(result.status).arg(reason).trimmed();
        else
            result.errorMessage = reply->errorString();
        return result;
    }
    if (!decodeContent(reply->rawHeader("Content-Encoding"), reply->readAll(), &result.body)) {
        result.body.clear();
        result.errorMessage =
            QStringLiteral("The answer from %1 could not be decoded (%2): it is damaged or incomplete.")
                .arg(url.host(), QString::fromLatin1(reply->rawHeader("Content-Encoding")));
        return result;
    }
    if (result.status >= 200 && result.status < 300 && result.body.isEmpty()) {
        result.refused = true;
        result.errorMessage = QStringLiteral("HTTP/1.1 %1 %2").arg(result.status).arg(reason).trimmed() +
                              QStringLiteral(" (empty answer)");
        return result;
    }
    result.text = DecodeBody(result.body, reply->header(QNetworkRequest::ContentTypeHeader).toByteArray());
    result.ok = true;
    return result;
}

QString DefaultUserAgent()
{
    return QStringLiteral("Mozilla/5.0 (compatible; MSIE 10.0; Windows NT 6.1; Trident/5.0)");
}

QNetworkProxy ConfiguredProxy()
{
    const QString section = QStringLiteral("Proxy");
    const QString host = ReadSettingString(QStringLiteral("IP"), section);
    if (host.trimmed().isEmpty())
        return QNetworkProxy(QNetworkProxy::NoProxy);
    QNetworkProxy proxy(QNetworkProxy::HttpProxy, host.trimmed());
    const int port = ReadSettingInteger(QStringLiteral("Port"), section, 0);
    if (port != 0)
        proxy.setPort(static_cast<quint16>(port));
    const QString user = ReadSettingString(QStringLiteral("UserName"), section);
    if (!user.isEmpty())
        proxy.setUser(user);
    const QString password = ReadSettingString(QStringLiteral("Password"), section);
    if (!password.isEmpty())
        proxy.setPassword(password);
    return proxy;
}

void ConfigureHttpClient(HttpClient &client, bool withDecompressor, bool useTls)
{
    client.maxRedirects = 10;
    client.decompress = withDecompressor;
    client.tls = useTls;
    client.timeout = ReadSettingInteger(QStringLiteral("Timeout"), QStringLiteral("HTTP"), 10000);
    client.userAgent = DefaultUserAgent();
    client.setProxy(ConfiguredProxy());
}

QString DecodeBody(const QByteArray &body, const QByteArray &contentType)
{
    bool known = false;
    QByteArray charset = charsetOf(contentType);
    if (!charset.isEmpty()) {
        const QString text = decodeAs(body, charset, &known);
        if (known)
            return text;
    }
    // The page's own declaration, in its head.
    static const QRegularExpression meta(QStringLiteral("<meta[^>]+charset\\s*=\\s*[\"']?([A-Za-z0-9._:-]+)"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = meta.match(QString::fromLatin1(body.left(4096)));
    if (match.hasMatch()) {
        const QString text = decodeAs(body, match.captured(1).toLatin1().toLower(), &known);
        if (known)
            return text;
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(body);
    if (!utf8.hasError())
        return text;
    return decodeWindows1252(body);
}
