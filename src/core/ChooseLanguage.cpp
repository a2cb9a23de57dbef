#include "core/ChooseLanguage.h"

#include "core/FirstStart.h"
#include "core/GlobalFunctions.h"
#include "core/TextNumbers.h"
#include "core/Translations.h"
#include "core/UserInterface.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

int FillLanguageList(QComboBox *comboBox)
{
    comboBox->clear();
    for (const OfferedLanguage &language : OfferedLanguages()) {
        const QString flag = LanguageFlagFile(language.flagIndex);
        comboBox->addItem(flag.isEmpty() ? QIcon() : QIcon(flag), language.name, language.name);
    }
    return comboBox->count();
}

TChooseLanguage_frm::TChooseLanguage_frm(QWidget *parent)
    : QDialog(parent)
    , m_language(new QComboBox(this))
    , m_product(new QLabel(QStringLiteral("Reelnest™"), this))
    , m_languageHeading(new QLabel(this))
    , m_introduction(new QLabel(this))
    , m_databaseHeading(new QLabel(this))
    , m_openLink(new QLabel(this))
    , m_path(new QLineEdit(DefaultFirstStartPath(), this))
    , m_browse(new QPushButton(this))
    , m_ok(new QPushButton(QStringLiteral("OK"), this))
{
    setObjectName(QStringLiteral("TChooseLanguage_frm"));
    QFont productFont = m_product->font();
    productFont.setPointSize(productFont.pointSize() + 8);
    productFont.setBold(true);
    m_product->setFont(productFont);
    m_introduction->setWordWrap(true);
    for (QLabel *heading : {m_languageHeading, m_databaseHeading}) {
        QFont bold = heading->font();
        bold.setBold(true);
        heading->setFont(bold);
    }
    m_openLink->setTextFormat(Qt::RichText);
    m_openLink->setCursor(Qt::PointingHandCursor);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_product);
    layout->addWidget(m_introduction);
    layout->addSpacing(8);
    layout->addWidget(m_languageHeading);
    layout->addWidget(m_language);
    layout->addSpacing(8);
    layout->addWidget(m_databaseHeading);
    auto *pathRow = new QHBoxLayout;
    pathRow->addWidget(m_path, 1);
    pathRow->addWidget(m_browse);
    layout->addLayout(pathRow);
    layout->addWidget(m_openLink);
    layout->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    layout->addLayout(buttons);
    m_ok->setDefault(true);

    if (FillLanguageList(m_language) > 0) {
        const QString wanted = CapitalizeWords(ReadSettingString(QStringLiteral("Language"), QString()));
        int index = m_language->findData(wanted);
        if (index < 0)
            index = m_language->findData(QStringLiteral("English"));
        m_language->setCurrentIndex(index);
    }
    applyTexts();
    setFixedWidth(520);
    adjustSize();
    setFixedHeight(height());
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    connect(m_language, &QComboBox::currentIndexChanged, this, &TChooseLanguage_frm::LanguageChange);
    connect(m_browse, &QPushButton::clicked, this, &TChooseLanguage_frm::BrowseClick);
    connect(m_openLink, &QLabel::linkActivated, this, &TChooseLanguage_frm::OpenExistingClick);
    connect(m_ok, &QPushButton::clicked, this, &TChooseLanguage_frm::OKClick);
}

void TChooseLanguage_frm::applyTexts()
{
    setWindowTitle(GetText(Txt::WelcomeTo) + QStringLiteral(" Reelnest"));
    m_languageHeading->setText(QStringLiteral("1. ") + GetText(Txt::ChooseYourLanguage));
    m_introduction->setText(GetTextWithArg(Txt::FirstStartIntroduction, QStringLiteral("Reelnest")));
    m_databaseHeading->setText(QStringLiteral("2. ") + GetText(Txt::CreateNewDatabase));
    m_openLink->setText(
        QStringLiteral("<a href=\"open\">%1</a>").arg(GetText(Txt::OpenExistingDatabaseLink).toHtmlEscaped()));
    m_browse->setText(GetText(Txt::Browse) + QStringLiteral("..."));
}

QString TChooseLanguage_frm::fileFilter() const
{
    return QStringLiteral("Reelnest ") + GetText(Txt::DatabaseFileType) + QStringLiteral(" (*.fdb)");
}

void TChooseLanguage_frm::LanguageChange(int index)
{
    if (index < 0)
        return;
    WriteSettingString(QStringLiteral("Language"), QString(), m_language->currentText());
    if (LoadTranslation())
        applyTexts();
}

void TChooseLanguage_frm::BrowseClick()
{
    QFileDialog dialog(this, GetText(Txt::CreateDatabaseTitle), m_path->text(), fileFilter());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("fdb"));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        m_path->setText(QDir::toNativeSeparators(dialog.selectedFiles().constFirst()));
}

void TChooseLanguage_frm::OpenExistingClick()
{
    const QString file = QFileDialog::getOpenFileName(
        this, GetTextWithArg(Txt::OpenDatabaseTitle, QStringLiteral("Reelnest")), m_path->text(), fileFilter());
    if (!file.isEmpty())
        m_path->setText(QDir::toNativeSeparators(file));
}

void TChooseLanguage_frm::OKClick()
{
    QString path = m_path->text().trimmed();
    const bool opened = FirstStartAccept(&path);
    m_path->setText(path);
    if (opened)
        accept();
}
