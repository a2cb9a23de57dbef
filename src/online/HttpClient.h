#pragma once

#include <QByteArray>
#include <QNetworkProxy>
#include <QString>

#include <memory>

class QNetworkAccessManager;

// What one GET brought back.
struct HttpResult
{
    // A 2xx answer with a body.
    bool ok = false;
    // The site answered with a challenge instead of the page: 403, 429, or a 2xx with no body.
    bool refused = false;
    // The connection failed, was refused, was lost or timed out (as opposed to an HTTP error).
    bool socketError = false;
    int status = 0;
    QByteArray body;
    // The body as text, decoded by the charset the answer declares.
    QString text;
    // Why it failed: "HTTP/1.1 404 Not Found" for an HTTP error, the network's own message otherwise.
    QString errorMessage;
    // The address the answer came from, after any redirects.
    QString finalAddress;
};

// An HTTP client that blocks: a GET runs a local event loop that lets painting go on but holds
// user input back until the answer is complete. Connections are kept open between requests.
class HttpClient
{
public:
    HttpClient();
    ~HttpClient();
    HttpClient(const HttpClient &) = delete;
    HttpClient &operator=(const HttpClient &) = delete;

    int maxRedirects = 10;
    // gzip and deflate bodies are decoded; without it, the server is asked for plain bodies.
    bool decompress = true;
    // Without TLS only plain http addresses are fetched.
    bool tls = true;
    // Milliseconds without progress (connecting or receiving) after which the request fails;
    // 0 waits for ever.
    int timeout = 10000;
    QString userAgent;
    void setProxy(const QNetworkProxy &proxy);
    QNetworkProxy proxy() const;

    HttpResult get(const QString &address);

private:
    std::unique_ptr<QNetworkAccessManager> m_manager;
};

// The User-Agent every client sends.
QString DefaultUserAgent();
// Prepares a client the program creates: at most 10 redirects, no cookies, the decompressor when
// asked for, TLS, the time-out of "HTTP"/"Timeout", the User-Agent and the proxy of "Proxy".
void ConfigureHttpClient(HttpClient &client, bool withDecompressor, bool useTls);
// The proxy of the "Proxy" settings section; no proxy when its host is empty.
QNetworkProxy ConfiguredProxy();
// The text of a body: the charset the Content-Type declares, else the page's own meta charset,
// else UTF-8 when the bytes are valid UTF-8, else Windows-1252.
QString DecodeBody(const QByteArray &body, const QByteArray &contentType);
