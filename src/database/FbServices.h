#pragma once

#include "database/FbError.h"

#include <QString>

#include <functional>

// Backup and restore through the engine's service manager: embedded for a local path, the
// server's "host[/port]:service_mgr" for "host[/port]:path" (the files are then paths on the
// server). Both run verbose and hand each output line to onLine as it arrives; the call returns
// when the service has finished and throws FbError with the engine's message on failure.
// The database must not be open elsewhere while it is restored.
void BackupDatabase(const QString &databaseString, const QString &backupFile, const QString &user,
                    const QString &password, const std::function<void(const QString &line)> &onLine = {});

// replace: overwrite an existing database file; otherwise the file must not exist yet.
// The page size stored in the backup is kept.
void RestoreDatabase(const QString &backupFile, const QString &databaseString, bool replace, const QString &user,
                     const QString &password, const std::function<void(const QString &line)> &onLine = {});

// The service manager address for a database string: "service_mgr" for a local path,
// "host[/port]:service_mgr" for a server database. *path receives the file part.
QString ServiceManagerFor(const QString &databaseString, QString *path = nullptr);
