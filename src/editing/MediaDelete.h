#pragma once

#include <QString>

// The one delete routine for a medium: the medium, its full-size covers, its movies with every
// detail row and, when asked, their trailer and movie files. Persons stay; the orphan sweep
// removes those named nowhere.
//
// Runs on the main connection inside its open transaction and commits nothing: the caller
// commits once after all media of its selection are gone.

// True for a file path on a drive of this machine: a drive letter followed by ":\" (or ":/"), and
// on other systems an absolute path that is not a network path ("//server"). Network paths, web
// addresses and relative paths are never deleted.
bool IsLocalDrivePath(const QString &path);

// Deletes the medium mediaId as described above; with deleteFiles the local trailer and movie
// files that exist go to the recycle bin first. False when a database error stopped it: what was
// deleted until then stays pending in the open transaction.
bool DeleteMedium(bool deleteFiles, double mediaId);
