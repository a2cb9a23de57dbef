#include "online/IMDBSearchMovieForm.h"

#include "core/GlobalFunctions.h"
#include "core/TextNumbers.h"
#include "core/UserInterface.h"
#include "online/DownloadMethod.h"
#include "online/ImdbPreview.h"
#include "online/MovieDownload.h"
#include "online/MovieDownloadLoop.h"
#include "online/TitleLookups.h"
#include "online/TitleSearch.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDesktopServices>
#include <QFile>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyle>
#include <QTabWidget>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString Section = QStringLiteral("Movie Query");
const QString DefaultsSection = QStringLiteral("Default Values");
const QString OptionsSection = QStringLiteral("Options");
constexpr int RegionCodes = 9;

bool UseAutoCounter()
{
    return ReadSettingBool(QStringLiteral("Use AutoCounter"), OptionsSection, true);
}

QString YearColumn(const QString &year)
{
    return year.isEmpty() ? QString() : QLatin1Char('(') + year + QLatin1Char(')');
}

QTreeWidget *TitleList(QWidget *parent)
{
    auto *list = new QTreeWidget(parent);
    list->setColumnCount(2);
    list->setHeaderHidden(true);
    list->setRootIsDecorated(false);
    list->header()->setStretchLastSection(false);
    list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    list->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    return list;
}

} // namespace

TIMDBSearchMovieForm::TIMDBSearchMovieForm(bool wantedMode, QWidget *parent)
    : QDialog(parent)
    , FWantedMode(wantedMode)
{
    setObjectName(QStringLiteral("IMDBSearchMovieForm"));
    FStore.WantedMode = wantedMode;
    buildWindow();
    fillMediaList();
    readSettings();
    if (FDownloadCollection.load(QueueFilePath(FWantedMode)) > 0)
        QFile::remove(QueueFilePath(FWantedMode));
    fillQueueList();
    if (UseAutoCounter())
        showNextSeqNumber();
    KindChange();
    updateButtons();
}

TIMDBSearchMovieForm::~TIMDBSearchMovieForm() = default;

void TIMDBSearchMovieForm::buildWindow()
{
    QString caption = QStringLiteral("Movie Query");
    if (FWantedMode)
        caption += QStringLiteral(" - ") + GetText(Txt::WishList);
    setWindowTitle(caption);

    FMovieKind = new QRadioButton(QStringLiteral("Movie"), this);
    FSeriesKind = new QRadioButton(QStringLiteral("TV-Series"), this);
    FMovieKind->setChecked(true);
    FSearchLabel = new QLabel(this);
    FSearch = new QLineEdit(this);
    FSearch->setClearButtonEnabled(true);
    FSearchLabel->setBuddy(FSearch);
    FSearchButton = new QPushButton(GetText(Txt::SearchCaption), this);
    FSeason = new QSpinBox(this);
    auto *seasonLabel = new QLabel(GetText(Txt::Season), this);
    seasonLabel->setBuddy(FSeason);

    FResultGroup = new QGroupBox(this);
    FResults = TitleList(FResultGroup);
    FResults->setContextMenuPolicy(Qt::CustomContextMenu);
    FAdd = new QPushButton(QStringLiteral("Add"), FResultGroup);
    FPreview = new QPushButton(QStringLiteral("Preview"), FResultGroup);

    FTabs = new QTabWidget(this);
    auto *assignmentPage = new QWidget(FTabs);
    FAssignment = new QFormLayout(assignmentPage);
    FMedia = new QComboBox(assignmentPage);
    FRegion = new QComboBox(assignmentPage);
    for (int code = 0; code < RegionCodes; ++code)
        FRegion->addItem(QString::number(code));
    FSeqNumber = new QLineEdit(assignmentPage);
    FSeqNumber->setValidator(new QIntValidator(0, 999999999, FSeqNumber));
    FPriority = new QComboBox(assignmentPage);
    FPriority->addItems({GetText(Txt::WantedItem), GetText(Txt::LowPriority)});
    FReleaseDateSet = new QCheckBox(assignmentPage);
    FReleaseDate = new QDateEdit(QDate::currentDate(), assignmentPage);
    FReleaseDate->setCalendarPopup(true);
    FReleaseDate->setEnabled(false);
    auto *releaseRow = new QHBoxLayout;
    releaseRow->addWidget(FReleaseDateSet);
    releaseRow->addWidget(FReleaseDate, 1);
    FAssignment->addRow(GetText(Txt::MediaType), FMedia);
    FAssignment->addRow(GetText(Txt::RegionCode), FRegion);
    FAssignment->addRow(GetText(Txt::SeqNumber), FSeqNumber);
    FAssignment->addRow(GetText(Txt::Priority), FPriority);
    FAssignment->addRow(GetText(Txt::ReleaseDate), releaseRow);
    FAssignment->setRowVisible(FRegion, !FWantedMode);
    FAssignment->setRowVisible(FSeqNumber, !FWantedMode);
    FAssignment->setRowVisible(FPriority, FWantedMode);
    FAssignment->setRowVisible(releaseRow, FWantedMode);
    FTabs->addTab(assignmentPage, FWantedMode ? GetText(Txt::WishList) : GetText(Txt::Media));

    auto *queuePage = new QWidget(FTabs);
    FQueue = TitleList(queuePage);
    FRemove = new QPushButton(GetText(Txt::Remove), queuePage);
    auto *queueLayout = new QVBoxLayout(queuePage);
    queueLayout->addWidget(FQueue, 1);
    queueLayout->addWidget(FRemove, 0, Qt::AlignRight);
    FTabs->addTab(queuePage, GetText(Txt::DownloadQueue));
    FTabs->setTabVisible(1, false);

    FQuickAdd = new QCheckBox(QStringLiteral("QuickAdd Movies"), this);
    // The quick source is not offered yet: downloads always read the full title pages.
    FQuickAdd->setChecked(false);
    FQuickAdd->setEnabled(false);
    FQuickAdd->setVisible(!FWantedMode);
    FDownload = new QPushButton(QStringLiteral("Download Queue to Database"), this);
    FClose = new QPushButton(GetText(Txt::Close), this);

    auto *kinds = new QHBoxLayout;
    kinds->addWidget(FMovieKind);
    kinds->addWidget(FSeriesKind);
    kinds->addStretch(1);
    kinds->addWidget(seasonLabel);
    kinds->addWidget(FSeason);
    auto *searchRow = new QHBoxLayout;
    searchRow->addWidget(FSearch, 1);
    searchRow->addWidget(FSearchButton);
    auto *resultButtons = new QHBoxLayout;
    resultButtons->addStretch(1);
    resultButtons->addWidget(FPreview);
    resultButtons->addWidget(FAdd);
    auto *resultLayout = new QVBoxLayout(FResultGroup);
    resultLayout->addWidget(FResults, 1);
    resultLayout->addLayout(resultButtons);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(FQuickAdd);
    bottom->addStretch(1);
    bottom->addWidget(FDownload);
    bottom->addWidget(FClose);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(kinds);
    layout->addWidget(FSearchLabel);
    layout->addLayout(searchRow);
    layout->addWidget(FResultGroup, 1);
    layout->addWidget(FTabs);
    layout->addLayout(bottom);

    connect(FMovieKind, &QRadioButton::toggled, this, &TIMDBSearchMovieForm::KindChange);
    connect(FSearch, &QLineEdit::textChanged, this, &TIMDBSearchMovieForm::updateButtons);
    connect(FSearch, &QLineEdit::returnPressed, this, &TIMDBSearchMovieForm::SearchClick);
    connect(FSearchButton, &QPushButton::clicked, this, &TIMDBSearchMovieForm::SearchClick);
    connect(FResults, &QTreeWidget::itemActivated, this, &TIMDBSearchMovieForm::AddClick);
    connect(FResults, &QTreeWidget::currentItemChanged, this, &TIMDBSearchMovieForm::updateButtons);
    connect(FResults, &QTreeWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        if (currentResultIndex() < 0)
            return;
        QMenu menu(this);
        menu.addAction(QStringLiteral("Movie IMDB page"), this, &TIMDBSearchMovieForm::ImdbPageClick);
        menu.exec(FResults->viewport()->mapToGlobal(at));
    });
    connect(FAdd, &QPushButton::clicked, this, &TIMDBSearchMovieForm::AddClick);
    connect(FPreview, &QPushButton::clicked, this, &TIMDBSearchMovieForm::PreviewClick);
    connect(FQueue, &QTreeWidget::itemDoubleClicked, this, &TIMDBSearchMovieForm::RemoveClick);
    connect(FQueue, &QTreeWidget::currentItemChanged, this, &TIMDBSearchMovieForm::updateButtons);
    connect(FRemove, &QPushButton::clicked, this, &TIMDBSearchMovieForm::RemoveClick);
    connect(FReleaseDateSet, &QCheckBox::toggled, FReleaseDate, &QDateEdit::setEnabled);
    connect(FDownload, &QPushButton::clicked, this, &TIMDBSearchMovieForm::DownloadClick);
    connect(FClose, &QPushButton::clicked, this, &QDialog::reject);
    FSearchButton->setDefault(false);
    FSearchButton->setAutoDefault(false);
    for (QPushButton *button : {FAdd, FPreview, FRemove, FDownload, FClose})
        button->setAutoDefault(false);
}

void TIMDBSearchMovieForm::fillMediaList()
{
    FMediaTypes.clear();
    FStore.GetAllMediaTypes(&FMediaTypes);
    FMedia->clear();
    for (const TMediaType &type : FMediaTypes)
        FMedia->addItem(type.Name);
    FMedia->setCurrentIndex(DefaultMediaTypeIndex(FMediaTypes));
}

void TIMDBSearchMovieForm::readSettings()
{
    int width = ReadSettingInteger(QStringLiteral("Width"), Section, 0);
    int height = ReadSettingInteger(QStringLiteral("Height"), Section, 0);
    if (width <= 0 || height <= 0) {
        width = 380;
        height = 550;
    }
    resize(width, height);
    const int lastSeqNumber = ReadSettingInteger(QStringLiteral("Seq.Number"), Section, 0);
    if (lastSeqNumber > 0)
        FSeqNumber->setText(QString::number(lastSeqNumber));
    const int region = ReadSettingInteger(QStringLiteral("Region Code"), DefaultsSection, 0);
    FRegion->setCurrentIndex(region >= 0 && region < RegionCodes ? region : 0);
}

void TIMDBSearchMovieForm::KindChange()
{
    const bool series = FSeriesKind->isChecked();
    FSeason->setEnabled(series);
    FSeason->setRange(series ? 1 : 0, series ? 99 : 0);
    FSeason->setValue(series ? 1 : 0);
    FSearchLabel->setText(GetText(series ? Txt::SeriesTitle : Txt::MovieTitle));
}

int TIMDBSearchMovieForm::searchKind() const
{
    return FSeriesKind->isChecked() ? SearchSeries : SearchMovies;
}

void TIMDBSearchMovieForm::setSearching(bool searching)
{
    for (QWidget *control :
         {static_cast<QWidget *>(FSearch), static_cast<QWidget *>(FMedia), static_cast<QWidget *>(FSearchButton),
          static_cast<QWidget *>(FAdd), static_cast<QWidget *>(FPreview), static_cast<QWidget *>(FDownload),
          static_cast<QWidget *>(FRemove)})
        control->setEnabled(!searching);
    if (!searching)
        updateButtons();
}

void TIMDBSearchMovieForm::SearchClick()
{
    const QString text = DecodeScannerInput(FSearch->text());
    if (text.isEmpty())
        return;
    FSearch->setText(text);
    FSearchText = text;
    setSearching(true);
    {
        BusyCursor busy;
        if (IsImdbTitleAddress(text)) {
            FRobot.DownloadTitleForImdbID(text);
        } else if (IsBarcode(text)) {
            const QString product = LookupBarcode(text);
            if (product.isEmpty())
                FRobot.Clear();
            else
                FRobot.DownloadTitleCollection(product, searchKind());
        } else {
            FRobot.DownloadTitleCollection(text, searchKind());
        }
    }
    FResultGroup->setTitle(GetTextWithArg(Txt::SearchResultsFor, text) + QLatin1Char(':'));
    fillResultList();
    setSearching(false);
}

void TIMDBSearchMovieForm::fillResultList()
{
    FResults->clear();
    const auto &results = FRobot.MovieCollection();
    for (size_t i = 0; i < results.size(); ++i) {
        const TIMDBMovie &movie = *results.at(i);
        auto *item = new QTreeWidgetItem(FResults, {movie.Title, YearColumn(movie.Year)});
        item->setData(0, Qt::UserRole, static_cast<int>(i));
        switch (KnownTitle(movie.Id)) {
        case TitleKnownAs::InCollection:
            item->setIcon(0, style()->standardIcon(QStyle::SP_DialogApplyButton));
            item->setToolTip(0, QStringLiteral("Movie exists in database. %1 (%2)").arg(movie.Title, movie.Year));
            break;
        case TitleKnownAs::Wanted:
            item->setIcon(0, style()->standardIcon(QStyle::SP_FileDialogInfoView));
            break;
        case TitleKnownAs::Unknown:
            break;
        }
    }
    if (results.empty() && !FSearchText.isEmpty()) {
        auto *none = new QTreeWidgetItem(FResults, {QStringLiteral("No titles found")});
        none->setFlags(Qt::NoItemFlags);
    }
    if (FResults->topLevelItemCount() > 0 && !results.empty())
        FResults->setCurrentItem(FResults->topLevelItem(0));
    updateButtons();
}

void TIMDBSearchMovieForm::fillQueueList()
{
    FQueue->clear();
    for (const auto &movie : FDownloadCollection.items()) {
        QString title = movie->Title;
        if (movie->SeriesSeason > 0)
            title += QStringLiteral(" - %1 %2").arg(GetText(Txt::Season)).arg(movie->SeriesSeason);
        new QTreeWidgetItem(FQueue, {title, YearColumn(movie->Year)});
    }
    const bool queued = !FDownloadCollection.isEmpty();
    FTabs->setTabVisible(1, queued);
    FTabs->setTabText(1, GetText(Txt::DownloadQueue) + QStringLiteral(" (%1)").arg(FDownloadCollection.count()));
    updateButtons();
}

int TIMDBSearchMovieForm::currentResultIndex() const
{
    const QTreeWidgetItem *item = FResults->currentItem();
    if (!item)
        return -1;
    const QVariant index = item->data(0, Qt::UserRole);
    return index.isValid() ? index.toInt() : -1;
}

void TIMDBSearchMovieForm::updateButtons()
{
    const bool result = currentResultIndex() >= 0;
    FSearchButton->setEnabled(!FSearch->text().trimmed().isEmpty());
    FAdd->setEnabled(result);
    FPreview->setEnabled(result);
    FDownload->setEnabled(!FDownloadCollection.isEmpty());
    FRemove->setEnabled(FQueue->currentItem() != nullptr);
}

void TIMDBSearchMovieForm::showNextSeqNumber()
{
    FSeqNumber->setText(QString::number(FDownloadCollection.nextSeqNumber()));
}

QueueAssignment TIMDBSearchMovieForm::currentAssignment()
{
    if (FSeqNumber->text().trimmed().isEmpty())
        showNextSeqNumber();
    QueueAssignment assignment;
    assignment.SeqNumber = FSeqNumber->text().toInt();
    assignment.RegionCode = qMax(FRegion->currentIndex(), 0);
    if (FWantedMode) {
        assignment.WI_Priority = qMax(FPriority->currentIndex(), 0);
        if (FReleaseDateSet->isChecked())
            assignment.WI_ReleaseDate = FReleaseDate->date().toString(QStringLiteral("yyyy-MM-dd"));
    }
    assignment.SeriesSeason = FSeason->value();
    const int media = FMedia->currentIndex();
    if (media >= 0 && media < FMediaTypes.size()) {
        assignment.MediaTypeId = FMediaTypes.at(media).Id;
        assignment.MediaType = FMediaTypes.at(media).Name;
    }
    if (IsBarcode(FSearchText))
        assignment.UPC = FSearchText;
    return assignment;
}

void TIMDBSearchMovieForm::AddClick()
{
    const int index = currentResultIndex();
    if (index < 0)
        return;
    const QueueAssignment assignment = currentAssignment();
    auto &results = FRobot.MovieCollection();
    if (FDownloadCollection.add(QueuedCopy(*results.at(static_cast<size_t>(index)), assignment)))
        results.erase(results.begin() + index);
    fillResultList();
    fillQueueList();
    if (UseAutoCounter())
        showNextSeqNumber();
    else
        FSeqNumber->clear();
    WriteSettingInteger(QStringLiteral("Seq.Number"), Section, assignment.SeqNumber);
    WriteSettingString(QStringLiteral("Media Type"), DefaultsSection, FMedia->currentText());
    WriteSettingInteger(QStringLiteral("Region Code"), DefaultsSection, assignment.RegionCode);
}

void TIMDBSearchMovieForm::RemoveClick()
{
    const int index = FQueue->indexOfTopLevelItem(FQueue->currentItem());
    auto movie = FDownloadCollection.take(index);
    if (!movie)
        return;
    auto &results = FRobot.MovieCollection();
    const bool listed =
        std::any_of(results.cbegin(), results.cend(), [&movie](const auto &result) { return result->Id == movie->Id; });
    if (!listed)
        results.push_back(std::move(movie));
    fillResultList();
    fillQueueList();
}

void TIMDBSearchMovieForm::PreviewClick()
{
    const int index = currentResultIndex();
    if (index < 0)
        return;
    const auto heading = [this](const TIMDBMovie &movie) {
        QString line = movie.Title;
        if (FSeriesKind->isChecked())
            line += QStringLiteral(" - %1 %2").arg(GetText(Txt::Season)).arg(FSeason->value());
        else if (!movie.Year.isEmpty())
            line += QLatin1Char(' ') + YearColumn(movie.Year);
        return line;
    };
    if (ShowTitlePreview(*FRobot.MovieCollection().at(static_cast<size_t>(index)), heading, true, this))
        AddClick();
}

void TIMDBSearchMovieForm::ImdbPageClick()
{
    const int index = currentResultIndex();
    if (index >= 0)
        QDesktopServices::openUrl(
            QUrl(ImdbTitlePageAddress(FRobot.MovieCollection().at(static_cast<size_t>(index))->Id)));
}

void TIMDBSearchMovieForm::DownloadClick()
{
    if (FDownloadCollection.isEmpty())
        return;
    WriteSettingBool(QStringLiteral("UseQuickAdd"), OptionsSection, FQuickAdd->isChecked());
    hide();
    setEnabled(false);
    TMovieDownload_frm download(parentWidget());
    const DownloadRunResult result =
        DownloadQueueToDatabase(FDownloadCollection, FRobot, FStore, download, QueueFilePath(FWantedMode));
    FStoredCount += static_cast<int>(result.movieIds.size()) + result.wanted;
    if (!result.notStored.isEmpty())
        ShowErrorBox(GetTextWithArg(Txt::TitlesNotStored, result.notStored.join(QStringLiteral(", "))), QString(),
                     result.notStoredError);
    setEnabled(true);
    FRobot.Clear();
    FResults->clear();
    FMediaTypes.clear();
    FMedia->clear();
    fillQueueList();
    accept();
}

void TIMDBSearchMovieForm::done(int result)
{
    if (!FDownloadCollection.isEmpty() &&
        userInterface().showMessage(MessageKind::Confirmation, GetText(Txt::KeepDownloadQueue),
                                    MessageButtons::YesNo) == MessageAnswer::Yes)
        FDownloadCollection.save(QueueFilePath(FWantedMode));
    WriteSettingInteger(QStringLiteral("Width"), Section, width());
    WriteSettingInteger(QStringLiteral("Height"), Section, height());
    QDialog::done(result);
}

bool ShowSearchMovieDialog(QWidget *parent, bool wantedMode)
{
    AskDownloadMethodOnce(parent);
    TIMDBSearchMovieForm form(wantedMode, parent);
    form.exec();
    return form.storedCount() > 0;
}

TIMDBSearchMovieForm *OpenSearchMovieDialogOn(QWidget *parent, const QString &searchText)
{
    auto *form = new TIMDBSearchMovieForm(false, parent);
    form->show();
    form->searchField()->setText(searchText);
    form->SearchClick();
    return form;
}
