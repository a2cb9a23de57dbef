#pragma once

#include "ui/ContentPlaceholder.h"

// The statistics of the collection. A title only until the charts exist.
class TStatistics_frm : public TContentPlaceholder_frm
{
    Q_OBJECT
public:
    explicit TStatistics_frm(QWidget *parent);
};
