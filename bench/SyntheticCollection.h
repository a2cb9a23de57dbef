#pragma once

#include <QString>

class TDM1;

// Builds a collection of the given size for measurements: every movie on its own medium with a
// cover thumbnail, 5 cast members, a director and a writer, and 2 genres. The file is built once
// under cacheFolder and reused while its size marker matches. Leaves dm connected to it with its
// transaction open. False (with *error) when building failed.
bool OpenSyntheticCollection(TDM1 &dm, int movieCount, const QString &cacheFolder, QString *error);

// The same collection with an index on MOVIE.TITLESORT, which the schema does not have: it shows
// what such an index would change. Kept beside the plain file.
bool OpenSyntheticCollectionWithTitleIndex(TDM1 &dm, int movieCount, const QString &cacheFolder, QString *error);
