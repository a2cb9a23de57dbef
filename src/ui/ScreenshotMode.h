#pragma once

#include <QSize>
#include <QString>

class TMainFormRNZ_frm;

// Developer options for looking at the window without a desktop (tools/screenshot): read from the
// environment, they make the program open a given collection, select a tree node and a layout,
// save a picture of the main window and end.
//   REELNEST_SCREENSHOT   the PNG file to write; nothing of this happens without it
//   REELNEST_DATABASE     the collection to open
//   REELNEST_SELECT_NODE  the absolute index of the tree node to select
//   REELNEST_LAYOUT       1 list, 2 thumbnails, 3 cards
//   REELNEST_WINDOW_SIZE  e.g. "1280x800"
//   REELNEST_BACKSTAGE    "1" shows the "File" page
//   REELNEST_EDITOR       1 to 8 opens the movie editor on the medium of the first movie at that tab
//                         and saves a picture of the editor instead
//   REELNEST_MOVIE_QUERY  a search text: shows the "Movie Query" window with its results instead
//   REELNEST_DEFINITIONS  the enciphered definitions file the search reads (the fixture server's)
struct ScreenshotRequest
{
    QString output;
    QString database;
    int node = -1;
    int layout = 0;
    QSize size;
    bool backstage = false;
    int editorTab = 0; // 0: no editor
    QString movieQuery;
    QString definitions;

    bool active() const { return !output.isEmpty(); }
};

ScreenshotRequest ScreenshotRequestFromEnvironment();
// Before the data module starts: makes it open the requested collection.
void PrepareScreenshotStart(const ScreenshotRequest &request);
// Once the window is shown: selects, lets the view settle, saves the picture and ends the program
// (exit code 1 when the picture could not be written).
void ScheduleScreenshot(TMainFormRNZ_frm *window, const ScreenshotRequest &request);
