#include "ui/ContentPlaceholder.h"

#include <QLabel>
#include <QVBoxLayout>

TContentPlaceholder_frm::TContentPlaceholder_frm(const QString &title, QWidget *parent)
    : QWidget(parent)
    , m_title(new QLabel(title, this))
    , m_layout(new QVBoxLayout(this))
{
    QFont font = m_title->font();
    font.setPointSizeF(font.pointSizeF() * 1.6);
    font.setBold(true);
    m_title->setFont(font);
    m_title->setObjectName(QStringLiteral("lTitle"));
    m_layout->setContentsMargins(24, 24, 24, 24);
    m_layout->addWidget(m_title);
    m_layout->addStretch(1);
}

QString TContentPlaceholder_frm::title() const
{
    return m_title->text();
}

void TContentPlaceholder_frm::setTitle(const QString &title)
{
    m_title->setText(title);
}
