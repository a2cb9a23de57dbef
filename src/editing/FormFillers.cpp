#include "editing/FormFillers.h"

#include "database/ImageStore.h"
#include "database/RecordHelpers.h"

#include <QComboBox>
#include <QLabel>
#include <QPixmap>

namespace {

void replaceChoices(QComboBox *field, const QStringList &values, bool emptyFirst)
{
    field->clear();
    if (emptyFirst)
        field->addItem(QString());
    field->addItems(values);
}

} // namespace

void FillDistinctValues(QComboBox *field, const QString &table, const QString &column)
{
    replaceChoices(field, DistinctValues(table, column), true);
}

void FillDistinctValuesWhere(QComboBox *field, const QString &table, const QString &column, const QString &whereColumn,
                             const QString &whereLiteral)
{
    replaceChoices(field, DistinctValuesWhere(table, column, whereColumn, whereLiteral), true);
}

void RefillDistinctValues(QComboBox *field, const QString &table, const QString &column)
{
    const QString text = field->currentText().trimmed();
    bool ok = false;
    replaceChoices(field, DistinctValues(table, column, &ok), false);
    if (!ok) {
        field->setCurrentIndex(-1);
        if (field->isEditable())
            field->clearEditText();
        return;
    }
    field->setCurrentIndex(field->findText(text));
    if (field->isEditable())
        field->setEditText(text);
}

void ShowLookupDescriptionHint(const QString &table, const QString &idColumn, const QString &name, QWidget *control)
{
    control->setToolTip(LookupDescriptionHint(table, idColumn, name));
}

void LoadJpegField(QLabel *imageControl, const QVariant &field)
{
    QImage image;
    switch (DecodeJpegField(field, &image)) {
    case JpegField::Clear:
        imageControl->clear();
        break;
    case JpegField::Unchanged:
        break;
    case JpegField::Show:
        imageControl->setPixmap(QPixmap::fromImage(image));
        break;
    }
}

void StoreCoverImage(const QLabel *imageControl, const QString &blobColumn, double mediaId)
{
    const QPixmap picture = imageControl->pixmap();
    StoreCoverImage(picture.isNull() ? QImage() : picture.toImage(), blobColumn, mediaId);
}
