#include "ui/Homepage.h"

#include "core/GlobalFunctions.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QVBoxLayout>

THomepage_frm::THomepage_frm(QWidget *parent)
    : TContentPlaceholder_frm(GetText(1558), parent)
    , m_alwaysStart(new QCheckBox(GetText(1589), this))
{
    setObjectName(QStringLiteral("THomepage_frm"));
    m_alwaysStart->setObjectName(QStringLiteral("cbAlwaysStartWithHomepage"));
    contentLayout()->insertWidget(1, m_alwaysStart);
    m_alwaysStart->setChecked(ReadSettingBool(QStringLiteral("HomepageStartup"), QString(), true));
}

void THomepage_frm::closeEvent(QCloseEvent *event)
{
    WriteSettingBool(QStringLiteral("HomepageStartup"), QString(), m_alwaysStart->isChecked());
    TContentPlaceholder_frm::closeEvent(event);
}
