#include "database/DatabaseList.h"

#include "core/GlobalFunctions.h"

#include <QFile>
#include <QSaveFile>
#include <QTextStream>

#include <algorithm>

DatabaseList::DatabaseList(const QString &filePath)
    : m_filePath(filePath)
{}

QString DatabaseList::defaultFilePath()
{
    return GetDatabaseFolder() + QStringLiteral("database.lst");
}

bool DatabaseList::exists() const
{
    return QFile::exists(m_filePath);
}

QStringList DatabaseList::entries() const
{
    QFile file(m_filePath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QStringList result;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (!line.isEmpty())
            result << line;
    }
    return result;
}

bool DatabaseList::sameDatabaseString(const QString &a, const QString &b)
{
#ifdef Q_OS_WIN
    return a.compare(b, Qt::CaseInsensitive) == 0;
#else
    return a == b;
#endif
}

bool DatabaseList::addSorted(const QString &databaseString)
{
    QStringList list = entries();
    const bool listed = std::any_of(list.cbegin(), list.cend(),
                                    [&](const QString &entry) { return sameDatabaseString(entry, databaseString); });
    if (!listed)
        list << databaseString;
    std::stable_sort(list.begin(), list.end(),
                     [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    return save(list);
}

bool DatabaseList::replace(const QString &oldString, const QString &newString)
{
    QStringList list = entries();
    list.removeIf([&](const QString &entry) { return sameDatabaseString(entry, oldString); });
    list << newString;
    return save(list);
}

bool DatabaseList::save(const QStringList &entries) const
{
    QSaveFile file(m_filePath);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    QTextStream out(&file);
    for (const QString &entry : entries)
        out << entry << '\n';
    out.flush();
    return file.commit();
}
