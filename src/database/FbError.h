#pragma once

#include <QString>

#include <stdexcept>

// An error reported by the database engine or by our access layer. what() and message() hold the
// engine's text unchanged (every line of its status, joined with "\n"), so it can be shown to the
// user as technical detail.
class FbError : public std::runtime_error
{
public:
    explicit FbError(const QString &message, long engineCode = 0)
        : std::runtime_error(message.toStdString())
        , m_message(message)
        , m_engineCode(engineCode)
    {}

    QString message() const { return m_message; }

    // The engine's first error code (isc_... from iberror.h); 0 for errors raised by our own layer.
    long engineCode() const { return m_engineCode; }

private:
    QString m_message;
    long m_engineCode = 0;
};
