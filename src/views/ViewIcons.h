#pragma once

#include <QIcon>
#include <QRect>
#include <QString>

class QPainter;
class QPalette;

// The small pictures of the browse grids, drawn by our own code so they look the same on every
// system: the loan, watched, 3D, 4K and trailer marks, the rating stars, the selection check box,
// the empty cover and the layout buttons.
namespace ViewIcons {

constexpr int IconSize = 16;
constexpr int StarSize = 14;

// The mark of an alert field (LENDALERT, WATCHED_ALERT, THREED_ALERT, FOURK_ALERT, HASTRAILER)
// 4 pixels from the cell's left edge with its bottom 2 pixels above the cell's bottom.
void drawAlert(QPainter *painter, const QRect &cell, const QString &field);
// Five stars for a rating of 0 to 10 (each step half a star), 2 pixels from the left edge with
// their bottom 2 pixels above the cell's bottom.
void drawStars(QPainter *painter, const QRect &cell, int rating);
// The width the stars take.
int starsWidth();

// The selection check box at the left of a list row, and where it sits in a cell.
QRect checkBoxRect(const QRect &cell);
void drawCheckBox(QPainter *painter, const QRect &box, bool checked, const QPalette &palette);

// A cover that is missing or no picture: an empty frame.
void drawEmptyCover(QPainter *painter, const QRect &rect, const QPalette &palette);

// The icons of the three layout buttons (ViewType values).
QIcon layoutIcon(int viewType);

} // namespace ViewIcons
