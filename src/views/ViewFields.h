#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

// The fields each view kind offers, their captions and how a cell shows them, and the nine grid
// views (one per kind and layout) whose names stored layouts and user views carry.

// The fields of a kind in their first-use order: the columns a grid of that kind can show.
QStringList ViewFieldNames(int viewTable);
// The caption of a field in the current language.
QString FieldCaption(const QString &field);

// How a cell draws its field.
enum class FieldDrawing {
    Text,
    Image,  // a JPEG picture from a blob (cover, media-type icon, person picture)
    Alert,  // an icon when the value is not empty
    Rating, // stars 0 to 10
};
FieldDrawing FieldDrawingOf(const QString &field);

// The calculated person-list and genre fields of the movies kind, which cost one query per record
// and are computed only while a grid shows them.
const QStringList &ListFields();

// The hidden field that carries the sortable value of a text field (TITLE -> TITLESORT and the
// date texts -> their dates); the field itself when it has none.
QString SortCompanion(const QString &field);

// The grid views: one name per kind and layout, as stored layouts name them.
QString GridViewName(int viewTable, int viewType);
// The kind and layout of a grid view name; false for a name that is none of the nine.
bool GridViewOfName(const QString &name, int *viewTable, int *viewType);
QStringList GridViewNames();

// The layout of one grid view: its columns (list) or rows (cards) in display order, with their
// visibility and width, the grouping and the in-memory sort.
struct GridColumn
{
    QString field;
    bool visible = false;
    int width = 0;
};

struct GridLayout
{
    QString gridViewName;
    QList<GridColumn> columns;
    QString groupBy;
    // The in-memory sort of the normal data mode; empty when unsorted.
    QString sortField;
    bool sortDescending = false;

    QStringList visibleFields() const;
    bool isVisible(const QString &field) const;
    int indexOf(const QString &field) const;
};

// The first-use layout of a grid view.
GridLayout DefaultGridLayout(const QString &gridViewName);
// A stored layout made fit for the current fields: unknown fields go, fields it lacks are added
// hidden at the end with their first-use width.
GridLayout FittedGridLayout(const GridLayout &stored, const QString &gridViewName);

// Our layout text: a [Main] section with the format version, a [View] section with the grid view's
// name (Name), kind (Table), layout, grouping and sort, then one [Column.FIELD] section per field
// in display order with Visible and Width. The text names its grid view, as user views need.
QString GridLayoutToText(const GridLayout &layout);
// Reads a layout text; a text without a grid view name takes it from its Table and Layout values.
// False when the text names no grid view.
bool GridLayoutFromText(const QString &text, GridLayout *layout);

// The layout type last used with a kind ("VM\GridSettings\InitType"), thumbnails by default.
int StoredViewType(int viewTable);
void StoreViewType(int viewTable, int viewType);

// Where a built-in grid view keeps its layout in the settings store, and the value's name.
QString GridLayoutSection(const QString &gridViewName);
QString GridLayoutValueName();
