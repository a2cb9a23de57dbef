#pragma once

#include <QString>

// The database half of the first-start dialog, without the dialog.

// The path the dialog offers at first.
QString DefaultFirstStartPath();
// Checks the path, creates the database when the file does not exist, opens it and starts its
// transaction. Messages go to the user; false keeps the dialog open. The path gets ".fdb" when it
// had no such extension.
bool FirstStartAccept(QString *path);
