#pragma once

#include <QString>
#include <QStringList>

// Sort titles: the lower-case form of a title without a leading or trailing article such as "the",
// so that "The Matrix" and "Matrix, The" both sort as "matrix". The words come from SORT_OMIT.

// The sort-word list. The main window owns the program's list and registers it; without one (the
// command-line tool, tests) a list of the core is used.
class SortWordList
{
public:
    SortWordList() = default;
    explicit SortWordList(const QStringList &words)
        : m_words(words)
    {}

    const QStringList &words() const { return m_words; }
    void setWords(const QStringList &words) { m_words = words; }
    // Reads "select WORDTOOMIT from SORT_OMIT order by WORDTOOMIT" on the main connection; the list
    // is empty when that fails.
    bool reload();

private:
    QStringList m_words;
};

// The list every sort title uses.
SortWordList &CurrentSortWords();
// Makes list the current one (nullptr: back to the core's own); the caller keeps ownership.
void SetCurrentSortWords(SortWordList *list);

// The sort form of a title with the given words, tried in order; the first that matches decides.
QString MakeSortTitle(const QString &title, const QStringList &words);
// The same with the current sort-word list.
QString MakeSortTitle(const QString &title);
// Reloads the current sort-word list from the collection.
void UpdateSortOmitList();
// Recomputes MOVIE.TITLESORT, MOVIE.ORIGTITLESORT and MEDIA.TITLESORT of every row and commits;
// on a failure everything is rolled back (false).
bool ReSortAllTitleFields();
