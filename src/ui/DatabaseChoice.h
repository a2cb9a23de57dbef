#pragma once

#include <QString>
#include <QStringList>

// The lists of known databases that the main window offers: the status-bar switcher and the
// backstage list. Both read "database.lst".

// The switcher's entries: every listed database string. When the list file is missing it is
// created holding the current database.
QStringList DatabaseSelectorEntries(const QString &listFile, const QString &currentDatabase);
// An entry as the switcher shows it: the file name, "  :  " and the database string as stored.
QString DatabaseSelectorItemText(const QString &databaseString);
// The file name of a database string, local or "host:path".
QString DatabaseStringFileName(const QString &databaseString);

// The databases the backstage page offers to open: the listed ones except the current database
// and local files that no longer exist.
QStringList BackstageDatabaseEntries(const QString &listFile, const QString &currentDatabase);
