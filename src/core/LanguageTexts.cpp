#include "core/LanguageTexts.h"

#include <QFile>

namespace {
constexpr int kPrefixLength = 5;
}

LanguageTexts &LanguageTexts::instance()
{
    static LanguageTexts texts;
    return texts;
}

bool LanguageTexts::load(const QString &filePath)
{
    clear();
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QString content = QString::fromUtf8(file.readAll());
    m_lines = content.split(QLatin1Char('\n'));
    for (QString &line : m_lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    // A final line break does not make a line of its own.
    if (!m_lines.isEmpty() && m_lines.last().isEmpty())
        m_lines.removeLast();
    if (!m_lines.isEmpty() && m_lines.first().startsWith(QChar(0xFEFF)))
        m_lines.first().remove(0, 1);
    m_loaded = true;
    return true;
}

void LanguageTexts::clear()
{
    m_lines.clear();
    m_loaded = false;
}

bool LanguageTexts::text(int n, QString *out) const
{
    if (!m_loaded || n < 0 || n >= m_lines.size())
        return false;
    *out = m_lines.at(n).mid(kPrefixLength).trimmed();
    return true;
}

bool LanguageTexts::hasValidHeader() const
{
    return !m_lines.isEmpty() && m_lines.first().contains(QLatin1Char('|'));
}

QString LanguageTexts::headerName() const
{
    return hasValidHeader() ? m_lines.first().section(QLatin1Char('|'), 0, 0).trimmed() : QString();
}

QString LanguageTexts::headerCredit() const
{
    return hasValidHeader() ? m_lines.first().section(QLatin1Char('|'), 1).trimmed() : QString();
}
