#pragma once

#include <QRect>
#include <QSize>
#include <QString>

// The main window's own settings and the texts of its help page: rules kept apart from the window
// so that they can be checked without one.

// Brings settings written by older versions to the current layout ("RegVer").
void UpgradeSettingsLayout();

// The window's stored state: "WindowState" and the bounds of its normal state.
struct WindowPlacement
{
    bool maximized = false;
    bool hasBounds = false;
    QRect bounds;
};
WindowPlacement ReadWindowPlacement(const QSize &designSize);
// The bounds are written only for a normal window: a maximized one keeps the bounds it will
// return to.
void WriteWindowPlacement(bool maximized, const QRect &normalBounds);
// Bounds moved onto the available screen area when they lie (mostly) outside it, so that a window
// closed on a screen that is gone does not open where nobody can see it.
QRect PlaceOnScreen(const QRect &bounds, const QRect &available);

QString ProgramVersionText();
QString ActiveLanguageText();
QString TranslationCreditText();
