#include "reports/ReportManager.h"

#include "core/GlobalFunctions.h"

TReportManager_frm::TReportManager_frm(QWidget *parent)
    : TContentPlaceholder_frm(GetText(1236), parent)
{
    setObjectName(QStringLiteral("TReportManager_frm"));
}
