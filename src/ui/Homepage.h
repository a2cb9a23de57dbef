#pragma once

#include "ui/ContentPlaceholder.h"

class QCheckBox;

// The start page. For now its title and the choice to start on it; the collection's summary,
// latest additions and news come with the page itself.
class THomepage_frm : public TContentPlaceholder_frm
{
    Q_OBJECT
public:
    explicit THomepage_frm(QWidget *parent);
    QCheckBox *alwaysStartWithHomepage() const { return m_alwaysStart; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QCheckBox *m_alwaysStart;
};
