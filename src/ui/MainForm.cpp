#include "ui/MainForm.h"

#include "core/GlobalFunctions.h"
#include "core/StartUp.h"
#include "core/Translations.h"
#include "core/UserInterface.h"
#include "database/DM1_u.h"

#include <QCloseEvent>
#include <QFile>
#include <QLabel>
#include <QLocalServer>
#include <QLocalSocket>
#include <QVBoxLayout>

TMainFormRNZ_frm::TMainFormRNZ_frm()
    : m_databaseLabel(new QLabel(this))
    , m_instanceServer(new QLocalServer(this))
{
    setObjectName(QStringLiteral("TMainFormRNZ_frm"));
    // The program's named presence: another instance that finds it asks this window to come forward.
    QLocalServer::removeServer(InstanceServerName());
    m_instanceServer->listen(InstanceServerName());
    connect(m_instanceServer, &QLocalServer::newConnection, this, [this] {
        delete m_instanceServer->nextPendingConnection();
        showNormal();
        raise();
        activateWindow();
    });

    ForceDataFolders();
    QFile::remove(GetDatabaseFolder() + QStringLiteral("reelnest_update.exe"));

    m_databaseLabel->setAlignment(Qt::AlignCenter);
    m_databaseLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    setCentralWidget(m_databaseLabel);
    resize(1024, 700);
    readOptions();
}

TMainFormRNZ_frm::~TMainFormRNZ_frm() = default;

bool TMainFormRNZ_frm::LoadTranslation()
{
    const TranslationLoad result = LoadLanguageTexts();
    if (result == TranslationLoad::Loaded)
        return true;
    userInterface().showMessage(MessageKind::Error, TranslationLoadMessage(result), MessageButtons::Ok);
    return false;
}

void TMainFormRNZ_frm::translate()
{
    setWindowTitle(QStringLiteral("Reelnest"));
    refreshDatabaseLabel();
}

void TMainFormRNZ_frm::refreshDatabaseLabel()
{
    m_databaseLabel->setText(HasDM1() ? DM1().MainConnection.databaseName() : QString());
}

QString TMainFormRNZ_frm::databaseLabelText() const
{
    return m_databaseLabel->text();
}

void TMainFormRNZ_frm::readOptions()
{
    const QString options = QStringLiteral("Options");
    UseAutoFormat = ReadSettingBool(QStringLiteral("Use AutoFormat"), options, true);
}

void TMainFormRNZ_frm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    refreshDatabaseLabel();
    if (onFirstShow)
        onFirstShow();
}

void TMainFormRNZ_frm::closeEvent(QCloseEvent *event)
{
    if (HasDM1()) {
        TDM1 &dm = DM1();
        if (!dm.MainConnection.databaseName().isEmpty())
            WriteSettingString(QStringLiteral("DB Location"), QString(), dm.MainConnection.databaseName());
        // Finished work was committed when it finished; what is still open was never finished.
        dm.MainConnection.disconnect();
    }
    event->accept();
}
