#include "loans/WantList.h"

#include "core/GlobalFunctions.h"

TWantList_frm::TWantList_frm(QWidget *parent)
    : TContentPlaceholder_frm(GetText(244), parent)
{
    setObjectName(QStringLiteral("TWantList_frm"));
}
