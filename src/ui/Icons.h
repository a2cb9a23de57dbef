#pragma once

#include "ui/CommandTable.h"

#include <QIcon>
#include <QPainterPath>
#include <QPointF>

// Every picture of the program's own windows comes from here: the commands' icons (from the
// system theme where it has one, otherwise drawn by us) and the user-view icon list of the
// navigation tree (always drawn by us, so that a stored ICONINDEX shows the same picture on
// every system).

enum class AppIcon {
    File,
    ListLayout,
    ThumbnailLayout,
    CardLayout,
    ThumbnailSize,
    SizeSmall,
    SizeMedium,
    SizeLarge,
    OptimizedMode,
    Database,
    Open,
    Help,
    Close,
    Update,
    AddMovies,
    Back,
    RibbonMinimize,
    RibbonRestore,
};

QIcon AppIconFor(AppIcon icon);
// The picture of a command on the ribbon and in the menus.
QIcon CommandIcon(Command command);

// The user-view icon list: ICONINDEX 0 to ViewIconCount() - 1.
int ViewIconCount();
// The icon at that index; index 0 (the plain folder) for an index outside the list.
QIcon ViewIcon(int index);

// A five-pointed star around centre, its points at the outer radius, used by every star we draw.
QPainterPath starPath(QPointF centre, double outer, double inner);
