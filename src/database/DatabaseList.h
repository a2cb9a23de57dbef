#pragma once

#include <QString>
#include <QStringList>

// The list of known databases, "database.lst" in the database folder: one database string a line,
// blank lines ignored.
class DatabaseList
{
public:
    static QString defaultFilePath();

    explicit DatabaseList(const QString &filePath = defaultFilePath());

    bool exists() const;
    QStringList entries() const;
    // Adds the string unless listed already and saves the list sorted; false when it could not be saved.
    bool addSorted(const QString &databaseString);
    // Drops the old string where listed and appends the new one; creates the file when missing.
    bool replace(const QString &oldString, const QString &newString);
    bool save(const QStringList &entries) const;

    static bool sameDatabaseString(const QString &a, const QString &b);

private:
    QString m_filePath;
};
