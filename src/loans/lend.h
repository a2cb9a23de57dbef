#pragma once

#include "ui/ContentPlaceholder.h"

// The loan manager: borrowers and the media lent to them. A title only until loans are kept.
class TLend_frm : public TContentPlaceholder_frm
{
    Q_OBJECT
public:
    explicit TLend_frm(QWidget *parent);
};
