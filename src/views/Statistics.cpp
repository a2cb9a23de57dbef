#include "views/Statistics.h"

#include "core/GlobalFunctions.h"

TStatistics_frm::TStatistics_frm(QWidget *parent)
    : TContentPlaceholder_frm(GetText(96), parent)
{
    setObjectName(QStringLiteral("TStatistics_frm"));
}
