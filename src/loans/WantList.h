#pragma once

#include "ui/ContentPlaceholder.h"

// The wish list of wanted items. A title only until wanted items are kept.
class TWantList_frm : public TContentPlaceholder_frm
{
    Q_OBJECT
public:
    explicit TWantList_frm(QWidget *parent);
};
