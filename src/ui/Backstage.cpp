#include "ui/Backstage.h"

#include "ui/DatabaseChoice.h"
#include "ui/Icons.h"
#include "ui/MainFormSettings.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

TBackstage_frm::TBackstage_frm(QWidget *parent)
    : QWidget(parent)
    , m_tabs(new QTabWidget(this))
    , m_databases(new QListWidget(this))
    , m_open(new QPushButton(AppIconFor(AppIcon::Open), QStringLiteral("Open"), this))
    , m_back(new QPushButton(AppIconFor(AppIcon::Back), QString(), this))
    , m_version(new QLabel(this))
    , m_language(new QLabel(this))
    , m_credit(new QLabel(this))
{
    setObjectName(QStringLiteral("Backstage"));
    setAutoFillBackground(true);

    m_back->setObjectName(QStringLiteral("bBack"));
    m_back->setFlat(true);
    m_back->setIconSize(QSize(32, 32));
    m_back->setToolTip(QStringLiteral("Back"));
    connect(m_back, &QPushButton::clicked, this, &TBackstage_frm::backRequested);

    auto *databasesPage = new QWidget(m_tabs);
    auto *databasesLayout = new QVBoxLayout(databasesPage);
    m_databases->setObjectName(QStringLiteral("lbDatabases"));
    m_databases->setSelectionMode(QAbstractItemView::SingleSelection);
    m_open->setObjectName(QStringLiteral("bOpen"));
    connect(m_open, &QPushButton::clicked, this, &TBackstage_frm::openSelected);
    connect(m_databases, &QListWidget::itemDoubleClicked, this, &TBackstage_frm::openSelected);
    connect(m_databases, &QListWidget::currentRowChanged, this, [this](int row) { m_open->setEnabled(row >= 0); });
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_open);
    buttons->addStretch(1);
    databasesLayout->addWidget(m_databases, 1);
    databasesLayout->addLayout(buttons);

    auto *helpPage = new QWidget(m_tabs);
    auto *helpLayout = new QVBoxLayout(helpPage);
    for (QLabel *label : {m_version, m_language, m_credit}) {
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        helpLayout->addWidget(label);
    }
    helpLayout->addStretch(1);

    m_tabs->setTabPosition(QTabWidget::West);
    m_tabs->addTab(databasesPage, AppIconFor(AppIcon::Database), QStringLiteral("Databases"));
    m_tabs->addTab(helpPage, AppIconFor(AppIcon::Help), QStringLiteral("Help"));

    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    top->addWidget(m_back);
    top->addStretch(1);
    layout->addLayout(top);
    layout->addWidget(m_tabs, 1);
    translate();
}

void TBackstage_frm::translate()
{
    m_version->setText(ProgramVersionText());
    m_language->setText(ActiveLanguageText());
    m_credit->setText(TranslationCreditText());
}

void TBackstage_frm::refillDatabaseList(const QString &listFile, const QString &currentDatabase)
{
    m_databases->clear();
    for (const QString &entry : BackstageDatabaseEntries(listFile, currentDatabase)) {
        auto *item = new QListWidgetItem(AppIconFor(AppIcon::Database), entry, m_databases);
        item->setData(Qt::UserRole, entry);
    }
    m_open->setEnabled(false);
}

QString TBackstage_frm::versionText() const
{
    return m_version->text();
}

QString TBackstage_frm::languageText() const
{
    return m_language->text();
}

QString TBackstage_frm::creditText() const
{
    return m_credit->text();
}

void TBackstage_frm::openSelected()
{
    const QListWidgetItem *item = m_databases->currentItem();
    if (item)
        emit openDatabaseRequested(item->data(Qt::UserRole).toString());
}

void TBackstage_frm::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        emit backRequested();
        return;
    }
    QWidget::keyPressEvent(event);
}
