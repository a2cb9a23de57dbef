#include "online/ImdbPreview.h"

#include "core/GlobalFunctions.h"
#include "core/TextNumbers.h"
#include "core/UserInterface.h"
#include "online/IMDBConstantsUnit.h"
#include "online/IMDBHelperClassUnit.h"
#include "online/IMDBMovieClassUnit.h"
#include "online/IMDBRobotClassUnit.h"
#include "online/TitleSearch.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString Section = QStringLiteral("Imdb Preview");
constexpr QSize CoverSize(140, 205);

QLabel *WrappedLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    // Texts from web pages are shown as they read, never as markup.
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QLabel *LinkLabel(const QString &caption, const QString &address, QWidget *parent)
{
    auto *label = new QLabel(
        QStringLiteral("<a href=\"%1\">%2</a>").arg(address.toHtmlEscaped(), caption.toHtmlEscaped()), parent);
    label->setOpenExternalLinks(true);
    return label;
}

QPixmap CoverPicture(const TIMDBMovie &movie)
{
    QPixmap picture;
    if (!movie.Cover.isNull())
        picture = QPixmap::fromImage(movie.Cover);
    else if (!movie.CoverLocalFilename.isEmpty())
        picture.load(movie.CoverLocalFilename);
    if (picture.isNull()) {
        picture = QPixmap(CoverSize);
        picture.fill(Qt::lightGray);
    }
    return picture.scaled(CoverSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

QString CastNames(const TIMDBMovie &movie)
{
    QStringList names;
    for (const TIMDBMovieCast &member : movie.CastCollection)
        names << member.MoviePerson.Name;
    return names.join(QStringLiteral(", "));
}

} // namespace

TImdbPreview_frm::TImdbPreview_frm(const TIMDBMovie &movie, const QString &heading, QWidget *parent)
    : QDialog(parent)
    , FHeading(WrappedLabel(heading, this))
    , FAdd(new QPushButton(this))
{
    setObjectName(QStringLiteral("ImdbPreview"));
    setWindowTitle(movie.Title);
    QFont bold = FHeading->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    FHeading->setFont(bold);

    auto *cover = new QLabel(this);
    cover->setPixmap(CoverPicture(movie));
    cover->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    auto *fields = new QFormLayout;
    fields->addRow(GetText(Txt::OriginalTitle), WrappedLabel(movie.OriginalTitle, this));
    fields->addRow(GetText(Txt::PlotOutline), WrappedLabel(movie.PlotOutline, this));
    fields->addRow(GetText(Txt::Genres), WrappedLabel(movie.GenreCollection.join(QStringLiteral(", ")), this));
    fields->addRow(GetText(Txt::Cast), WrappedLabel(CastNames(movie), this));
    fields->addRow(QString(), LinkLabel(QStringLiteral("IMDb page"), ImdbTitlePageAddress(movie.Id), this));
    fields->addRow(QString(),
                   LinkLabel(QStringLiteral("Critics' page"),
                             FormatTemplate(Definition(DefKey::ROTTEN_RATING_URL), EncodeQueryText(movie.Title)),
                             this));
    auto *body = new QHBoxLayout;
    body->addWidget(cover);
    body->addLayout(fields, 1);

    FAdd->setText(QStringLiteral("Add to Download Queue"));
    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(FAdd, QDialogButtonBox::AcceptRole);
    buttons->addButton(GetText(Txt::Close), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(FHeading);
    layout->addLayout(body, 1);
    layout->addWidget(buttons);
    resize(560, 340);
    if (ReadSettingInteger(QStringLiteral("WindowTop"), Section, 0) != 0)
        move(ReadSettingInteger(QStringLiteral("WindowLeft"), Section, 0),
             ReadSettingInteger(QStringLiteral("WindowTop"), Section, 0));
}

void TImdbPreview_frm::done(int result)
{
    WriteSettingInteger(QStringLiteral("WindowLeft"), Section, x());
    WriteSettingInteger(QStringLiteral("WindowTop"), Section, y());
    QDialog::done(result);
}

bool ShowTitlePreview(const TIMDBMovie &result, const std::function<QString(const TIMDBMovie &)> &heading,
                      bool offerAdd, QWidget *parent)
{
    TIMDBMovie movie(result);
    bool read = false;
    {
        BusyCursor busy;
        read = DownloadMoviePreview(movie);
    }
    if (!read)
        return false;
    TImdbPreview_frm preview(movie, heading(movie), parent);
    preview.addButton()->setVisible(offerAdd);
    const bool add = preview.exec() == QDialog::Accepted && offerAdd;
    if (!movie.CoverLocalFilename.isEmpty())
        QFile::remove(movie.CoverLocalFilename);
    return add;
}
