#include "loans/lend.h"

#include "core/GlobalFunctions.h"

TLend_frm::TLend_frm(QWidget *parent)
    : TContentPlaceholder_frm(GetText(1575), parent)
{
    setObjectName(QStringLiteral("TLend_frm"));
}
