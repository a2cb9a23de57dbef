#pragma once

#include <QString>

// What the collection already knows of an online title, and the association of an existing entry
// with one.

enum class TitleKnownAs { Unknown, InCollection, Wanted };

// Whether a movie of the collection carries the title's IMDb number, else whether a wish-list
// entry does. Unknown when neither does or the collection cannot be read.
TitleKnownAs KnownTitle(const QString &id);

// Gives an entry the IMDb number of an online title and commits (keeping the transaction): a
// staged import row while the import wizard runs, otherwise a collection movie. False, with the
// engine's message shown to the user, when the update failed.
bool AssociateOnlineTitle(const QString &id, double entryNumber, bool importRow);
