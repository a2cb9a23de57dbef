#include "database/NetworkConnect.h"

#include "core/GlobalFunctions.h"
#include "core/TextNumbers.h"
#include "core/UserInterface.h"
#include "database/DM1_u.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString kAddressHint = QStringLiteral("ip-address:drive:\\full\\local\\path\\filename.fdb");
}

TNetworkConnect_frm::TNetworkConnect_frm(QWidget *parent)
    : QDialog(parent)
    , m_previousDatabase(DM1().MainConnection.databaseName())
    , m_address(new QLineEdit(this))
    , m_status(new QLabel(this))
    , m_ok(new QPushButton(GetText(Txt::Ok), this))
    , m_cancel(new QPushButton(GetText(Txt::Cancel), this))
    , m_test(new QPushButton(GetText(Txt::TestConnection), this))
{
    setObjectName(QStringLiteral("TNetworkConnect_frm"));
    setWindowTitle(GetText(Txt::NetworkConnectCaption));
    auto *explanation = new QLabel(GetText(Txt::NetworkConnectExplanation), this);
    explanation->setWordWrap(true);
    m_address->setPlaceholderText(kAddressHint);
    m_ok->setEnabled(false);

    QPalette statusPalette = m_status->palette();
    if (ReadSettingInteger(QStringLiteral("Theme"), QStringLiteral("Options"), 0) == 2) {
        m_status->setAutoFillBackground(true);
        statusPalette.setColor(QPalette::Window, QApplication::palette().color(QPalette::ToolTipBase));
    }
    statusPalette.setColor(QPalette::WindowText, QColor(0, 128, 0));
    m_status->setPalette(statusPalette);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(explanation);
    layout->addWidget(new QLabel(GetText(Txt::NetworkConnectAddress) + QLatin1Char(':'), this));
    layout->addWidget(m_address);
    layout->addWidget(m_status);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_test);
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    layout->addLayout(buttons);
    resize(520, 200);

    connect(m_test, &QPushButton::clicked, this, &TNetworkConnect_frm::TestConnectionClick);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &TNetworkConnect_frm::CancelClick);
}

QString TNetworkConnect_frm::statusText() const
{
    return m_status->text();
}

void TNetworkConnect_frm::setStatus(const QString &text)
{
    m_status->setText(text);
    m_status->repaint();
}

void TNetworkConnect_frm::TestConnectionClick()
{
    UserInterface &ui = userInterface();
    TDM1 &dm = DM1();
    ui.setBusyCursor(true);
    setStatus(QStringLiteral("Closing Current Connection..."));
    dm.MainConnection.disconnect();
    dm.MainConnection.setDatabaseName(m_address->text().trimmed());
    setStatus(QStringLiteral("Trying to Connect..."));
    QString error;
    if (dm.ConnectMainDatabase(&error)) {
        setStatus(QStringLiteral("Connection Successfull!"));
        m_ok->setEnabled(true);
        ui.setBusyCursor(false);
        return;
    }
    ui.setBusyCursor(false);
    setStatus(QStringLiteral("Could not Connect..."));
    m_ok->setEnabled(false);
    ui.showApplicationError(error);
}

void TNetworkConnect_frm::CancelClick()
{
    UserInterface &ui = userInterface();
    TDM1 &dm = DM1();
    ui.setBusyCursor(true);
    dm.MainConnection.disconnect();
    dm.MainConnection.setDatabaseName(m_previousDatabase);
    QString error;
    if (!dm.ConnectMainDatabase(&error)) {
        ui.setBusyCursor(false);
        ui.showApplicationError(error);
    }
    ui.setBusyCursor(false);
    reject();
}
