#pragma once

#include "ui/ContentPlaceholder.h"

// The report manager: templates, preview and printing. A title only until reports exist.
class TReportManager_frm : public TContentPlaceholder_frm
{
    Q_OBJECT
public:
    explicit TReportManager_frm(QWidget *parent);
};
