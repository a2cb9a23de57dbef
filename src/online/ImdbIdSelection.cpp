#include "online/ImdbIdSelection.h"

#include "core/GlobalFunctions.h"
#include "core/TextNumbers.h"
#include "core/UserInterface.h"
#include "online/ImdbPreview.h"
#include "online/TitleLookups.h"
#include "online/TitleSearch.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const QString Section = QStringLiteral("ImdbIdSelection");

} // namespace

TImdbIdSelection_frm::TImdbIdSelection_frm(const QString &title, const QString &year, const QString &fileName,
                                           double entryNumber, bool importRow, QWidget *parent)
    : QDialog(parent)
    , FFileName(fileName)
    , FEntryNumber(entryNumber)
    , FImportRow(importRow)
    , FResults(new QTreeWidget(this))
    , FSearchLabel(new QLabel(GetText(Txt::MovieTitle), this))
    , FSearch(new QLineEdit(title, this))
    , FGo(new QPushButton(this))
    , FNoMatch(new QPushButton(this))
    , FOk(new QPushButton(GetText(Txt::Ok), this))
{
    setObjectName(QStringLiteral("ImdbIdSelection"));
    setWindowTitle(QStringLiteral("Associate With Online Entry"));
    FGo->setText(QStringLiteral("Go"));
    FNoMatch->setText(QStringLiteral("No Match"));
    auto *entry = new QLabel(year.isEmpty() ? title : QStringLiteral("%1 (%2)").arg(title, year), this);
    entry->setTextFormat(Qt::PlainText);
    QFont bold = entry->font();
    bold.setBold(true);
    entry->setFont(bold);
    auto *file = new QLabel(fileName, this);
    file->setTextFormat(Qt::PlainText);
    file->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *showFile = new QPushButton(QStringLiteral("Show File"), this);
    auto *openFolder = new QPushButton(QStringLiteral("Open Folder"), this);
    const bool hasFile = !fileName.isEmpty();
    for (QWidget *control :
         {static_cast<QWidget *>(file), static_cast<QWidget *>(showFile), static_cast<QWidget *>(openFolder)})
        control->setVisible(hasFile);
    connect(showFile, &QPushButton::clicked, this,
            [this] { QDesktopServices::openUrl(QUrl::fromLocalFile(FFileName)); });
    connect(openFolder, &QPushButton::clicked, this,
            [this] { QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(FFileName).absolutePath())); });

    FResults->setColumnCount(2);
    FResults->setHeaderHidden(true);
    FResults->setRootIsDecorated(false);
    FResults->header()->setStretchLastSection(false);
    FResults->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    FResults->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    FResults->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(FResults, &QTreeWidget::itemActivated, this, &TImdbIdSelection_frm::OkClick);
    connect(FResults, &QTreeWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        if (currentResultIndex() < 0)
            return;
        QMenu menu(this);
        menu.addAction(QStringLiteral("Preview"), this, &TImdbIdSelection_frm::PreviewClick);
        menu.addAction(QStringLiteral("Movie IMDB page"), this, &TImdbIdSelection_frm::ImdbPageClick);
        menu.exec(FResults->viewport()->mapToGlobal(at));
    });
    connect(FSearch, &QLineEdit::returnPressed, this, &TImdbIdSelection_frm::GoClick);
    connect(FGo, &QPushButton::clicked, this, &TImdbIdSelection_frm::GoClick);
    connect(FNoMatch, &QPushButton::clicked, this, &TImdbIdSelection_frm::NoMatchClick);
    connect(FOk, &QPushButton::clicked, this, &TImdbIdSelection_frm::OkClick);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(FNoMatch, QDialogButtonBox::ActionRole);
    buttons->addButton(FOk, QDialogButtonBox::AcceptRole);
    buttons->addButton(GetText(Txt::Cancel), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    for (QPushButton *button : {FGo, FNoMatch, FOk})
        button->setAutoDefault(false);

    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(file, 1);
    fileRow->addWidget(showFile);
    fileRow->addWidget(openFolder);
    auto *searchRow = new QHBoxLayout;
    searchRow->addWidget(FSearchLabel);
    searchRow->addWidget(FSearch, 1);
    searchRow->addWidget(FGo);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(entry);
    layout->addLayout(fileRow);
    layout->addWidget(FResults, 1);
    layout->addLayout(searchRow);
    layout->addWidget(buttons);
    resize(ReadSettingInteger(QStringLiteral("WindowWidth"), Section, 420),
           ReadSettingInteger(QStringLiteral("WindowHeight"), Section, 360));
    search(title);
}

void TImdbIdSelection_frm::search(const QString &text)
{
    {
        BusyCursor busy;
        FRobot.DownloadTitleCollection(text, SearchEverything);
    }
    FResults->clear();
    const auto &results = FRobot.MovieCollection();
    for (size_t i = 0; i < results.size(); ++i) {
        const TIMDBMovie &movie = *results.at(i);
        auto *item = new QTreeWidgetItem(
            FResults, {movie.Title, movie.Year.isEmpty() ? QString() : QStringLiteral("(%1)").arg(movie.Year)});
        item->setData(0, Qt::UserRole, static_cast<int>(i));
        if (KnownTitle(movie.Id) == TitleKnownAs::InCollection)
            item->setIcon(0, style()->standardIcon(QStyle::SP_DialogApplyButton));
    }
    const bool found = !results.empty();
    if (found)
        FResults->setCurrentItem(FResults->topLevelItem(0));
    FNoMatch->setVisible(found);
    FOk->setEnabled(found);
    showSearchField(!found);
}

void TImdbIdSelection_frm::showSearchField(bool visible)
{
    FSearchLabel->setVisible(visible);
    FSearch->setVisible(visible);
    FGo->setVisible(visible);
    if (visible)
        FSearch->setFocus();
    else
        FResults->setFocus();
}

int TImdbIdSelection_frm::currentResultIndex() const
{
    const QTreeWidgetItem *item = FResults->currentItem();
    return item ? item->data(0, Qt::UserRole).toInt() : -1;
}

void TImdbIdSelection_frm::GoClick()
{
    if (!FSearch->text().trimmed().isEmpty())
        search(FSearch->text().trimmed());
}

void TImdbIdSelection_frm::NoMatchClick()
{
    FNoMatch->setVisible(false);
    showSearchField(true);
}

void TImdbIdSelection_frm::OkClick()
{
    const int index = currentResultIndex();
    if (index < 0)
        return;
    if (AssociateOnlineTitle(FRobot.MovieCollection().at(static_cast<size_t>(index))->Id, FEntryNumber, FImportRow))
        accept();
}

void TImdbIdSelection_frm::PreviewClick()
{
    const int index = currentResultIndex();
    if (index < 0)
        return;
    ShowTitlePreview(
        *FRobot.MovieCollection().at(static_cast<size_t>(index)), [](const TIMDBMovie &movie) { return movie.Title; },
        false, this);
}

void TImdbIdSelection_frm::ImdbPageClick()
{
    const int index = currentResultIndex();
    if (index >= 0)
        QDesktopServices::openUrl(
            QUrl(ImdbTitlePageAddress(FRobot.MovieCollection().at(static_cast<size_t>(index))->Id)));
}

void TImdbIdSelection_frm::done(int result)
{
    WriteSettingInteger(QStringLiteral("WindowWidth"), Section, width());
    WriteSettingInteger(QStringLiteral("WindowHeight"), Section, height());
    QDialog::done(result);
}
