#pragma once

#include <QPoint>
#include <QSize>

// How the picture preview sizes itself to a picture on the desktop.
struct PictureFit
{
    QPoint windowPos;      // the window's left and top edge after fitting
    QSize imageSize;       // the size the picture is drawn at; the client area takes it
    bool zoomable = false; // the picture was reduced: the zoom button is offered
};

// A picture that fits on the desktop from the window's edge is shown at its natural size.
// Otherwise the window keeps at least 100 pixels for the picture (moving its edge to 100 when
// less would remain), the picture is reduced to leave a 20-pixel margin and keeps its aspect.
PictureFit FitPicture(QSize picture, QPoint windowPos, QSize desktop);

// The remembered position of the preview ("Picture Preview" WindowLeft/WindowTop) applied to the
// default one: each coordinate only while it lies 50 pixels inside the desktop.
QPoint PreviewStartPosition(QPoint defaultPos, QSize desktop);
void SavePreviewPosition(QPoint pos);
