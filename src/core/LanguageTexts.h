#pragma once

#include <QString>
#include <QStringList>

// The numbered lines of the loaded language file. Line 0 is the header "name|credit"; line n
// holds text n from its sixth character on.
class LanguageTexts
{
public:
    static LanguageTexts &instance();

    bool load(const QString &filePath);
    void clear();
    bool isLoaded() const { return m_loaded; }
    int lineCount() const { return m_lines.size(); }
    const QStringList &lines() const { return m_lines; }

    // False when the line does not exist or nothing is loaded.
    bool text(int n, QString *out) const;
    bool hasValidHeader() const;
    QString headerName() const;
    QString headerCredit() const;

private:
    QStringList m_lines;
    bool m_loaded = false;
};
