#pragma once

#include <QString>
#include <QVariant>

class QComboBox;
class QLabel;
class QWidget;

// Fills the controls of the forms from the collection; the values come from the record helpers.

// Replaces the choices of a drop-down field with an empty first item and the distinct non-blank
// values of a column. When reading fails the list keeps what was read.
void FillDistinctValues(QComboBox *field, const QString &table, const QString &column);
// The same for the rows whose whereColumn equals whereLiteral (a number or a quoted text).
void FillDistinctValuesWhere(QComboBox *field, const QString &table, const QString &column, const QString &whereColumn,
                             const QString &whereLiteral);
// Replaces the choices without the empty first item and keeps the field's text (trimmed); when
// reading fails the text is emptied.
void RefillDistinctValues(QComboBox *field, const QString &table, const QString &column);
// Shows the description of the lookup entry named name as the control's tooltip, or none.
void ShowLookupDescriptionHint(const QString &table, const QString &idColumn, const QString &name, QWidget *control);

// Shows the picture of a blob field in an image control (see DecodeJpegField).
void LoadJpegField(QLabel *imageControl, const QVariant &field);
// The cover store for the picture an image control shows (none: the cover is cleared).
void StoreCoverImage(const QLabel *imageControl, const QString &blobColumn, double mediaId);
