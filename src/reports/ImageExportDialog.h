#pragma once

#include "reports/ImageExport.h"

#include <QDialog>

class FbConnection;
class QCheckBox;
class QLineEdit;
class QRadioButton;

// Asks where and how the covers of the view's selection are exported, then exports them.
class TImageExport_frm : public QDialog
{
    Q_OBJECT

public:
    TImageExport_frm(FbConnection &connection, const QList<ImageExportItem> &items, QWidget *parent = nullptr);

    QLineEdit *folderEdit() const { return FFolder; }
    QRadioButton *titleChoice() const { return FTitle; }
    QRadioButton *numberChoice() const { return FNumber; }
    QCheckBox *backCoverBox() const { return FBack; }
    const ImageExportResult &exportResult() const { return FResult; }

public slots:
    void BrowseClick();
    void OkClick();

private:
    FbConnection &FConnection;
    QList<ImageExportItem> FItems;
    QLineEdit *FFolder;
    QRadioButton *FTitle;
    QRadioButton *FNumber;
    QCheckBox *FBack;
    ImageExportResult FResult;
};
