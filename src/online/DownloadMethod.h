#pragma once

#include <QDialog>

class QRadioButton;

// The one-time question how titles are downloaded: quickly from the quick source (QuickAdd) or
// with all the information the title pages offer. OK stores the choice as "Options"/"UseQuickAdd".
class TDownloadMethod_frm : public QDialog
{
    Q_OBJECT

public:
    explicit TDownloadMethod_frm(QWidget *parent = nullptr);

    QRadioButton *quickButton() const { return FQuick; }
    QRadioButton *fullButton() const { return FFull; }

public slots:
    void OkClick();

private:
    QRadioButton *FQuick;
    QRadioButton *FFull;
};

// Asks the question when the choice was never stored (before the first title search and the first
// import).
void AskDownloadMethodOnce(QWidget *parent);
