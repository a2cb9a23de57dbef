#include "reports/ImageExportDialog.h"

#include "core/GlobalFunctions.h"
#include "core/TextNumbers.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TImageExport_frm::TImageExport_frm(FbConnection &connection, const QList<ImageExportItem> &items, QWidget *parent)
    : QDialog(parent)
    , FConnection(connection)
    , FItems(items)
    , FFolder(new QLineEdit(this))
    , FTitle(new QRadioButton(GetText(Txt::Title), this))
    , FNumber(new QRadioButton(GetText(Txt::SeqNumber), this))
    , FBack(new QCheckBox(GetText(Txt::IncludeBackCoverArt), this))
{
    setObjectName(QStringLiteral("ImageExport_frm"));
    setWindowTitle(GetText(Txt::CoverArtExport));

    auto *browse = new QPushButton(QStringLiteral("..."), this);
    connect(browse, &QPushButton::clicked, this, &TImageExport_frm::BrowseClick);
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(GetText(Txt::Ok), QDialogButtonBox::AcceptRole);
    buttons->addButton(GetText(Txt::Cancel), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &TImageExport_frm::OkClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(GetText(Txt::DestinationDirectory) + QLatin1Char(':'), this), 0, 0);
    grid->addWidget(FFolder, 0, 1);
    grid->addWidget(browse, 0, 2);
    grid->addWidget(new QLabel(GetText(Txt::Filename) + QLatin1Char(':'), this), 1, 0);
    auto *choices = new QHBoxLayout;
    choices->addWidget(FTitle);
    choices->addWidget(FNumber);
    choices->addStretch();
    grid->addLayout(choices, 1, 1, 1, 2);
    grid->addWidget(FBack, 2, 1, 1, 2);
    grid->setColumnMinimumWidth(1, 300);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);

    const ImageExportSettings s = ReadImageExportSettings();
    FFolder->setText(s.destinationDirectory);
    (s.numberBasedFilename ? FNumber : FTitle)->setChecked(true);
    FBack->setChecked(s.includeBackCoverArt);
}

void TImageExport_frm::BrowseClick()
{
    const QString current = FFolder->text().trimmed();
    const QString start = !current.isEmpty() && QFileInfo(current).isDir() ? current : QString();
    const QString chosen = QFileDialog::getExistingDirectory(this, GetText(Txt::SelectAFolder), start);
    // Lower case as the program has always stored it; file systems that tell cases apart keep the
    // folder's real name, since changing it there would name another folder.
    if (!chosen.isEmpty())
        FFolder->setText(QDir::separator() == QLatin1Char('\\') ? QDir::toNativeSeparators(chosen).toLower()
                                                                : QDir::toNativeSeparators(chosen));
}

void TImageExport_frm::OkClick()
{
    ImageExportSettings s;
    s.destinationDirectory = FFolder->text().trimmed();
    s.numberBasedFilename = FNumber->isChecked();
    s.includeBackCoverArt = FBack->isChecked();
    WriteImageExportSettings(s);
    FResult = ExportCoverImages(FConnection, FItems, s);
    // A refused or unwritable folder leaves the dialog open, so another can be chosen.
    if (FResult.completed)
        accept();
}
