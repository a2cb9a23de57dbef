#pragma once

#include <QString>

// The collection schema of this program version, stored in DB_INFO.VERSION.
constexpr int CurrentSchemaVersion = 20208;

// The schema of a new collection: every table, index and the view, as a script of statements
// separated by ";". Keys are unique indexes, not constraints: the program keeps the relations and
// assigns each new key as the current maximum plus one.
QString sqlNewDatabase();

// The rows a new collection receives. DB_INFO's row is not in it: the creator inserts that row
// itself, together with the schema version.
QString sqlDefaultData();
