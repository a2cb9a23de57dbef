#include "online/DownloadMethod.h"

#include "core/GlobalFunctions.h"
#include "core/TextNumbers.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const QString OptionsSection = QStringLiteral("Options");
const QString UseQuickAdd = QStringLiteral("UseQuickAdd");

QLabel *Explanation(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setIndent(22);
    return label;
}

} // namespace

TDownloadMethod_frm::TDownloadMethod_frm(QWidget *parent)
    : QDialog(parent)
    , FQuick(new QRadioButton(QStringLiteral("How fast information downloads"), this))
    , FFull(new QRadioButton(QStringLiteral("The amount of information downloaded"), this))
{
    setObjectName(QStringLiteral("DownloadMethod"));
    setWindowTitle(QStringLiteral("What matters most to you?"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(FQuick);
    layout->addWidget(Explanation(QStringLiteral("Titles are added in seconds with their main details from a quick "
                                                 "source; cast pictures, awards and other extras are left out."),
                                  this));
    layout->addWidget(FFull);
    layout->addWidget(Explanation(QStringLiteral("Every title page is read: plot, cast and crew with pictures, awards, "
                                                 "technical data, soundtrack, keywords and more. This takes longer."),
                                  this));
    // The quick source is not offered yet: every download reads the full title pages.
    FQuick->setEnabled(false);
    FFull->setChecked(true);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(GetText(Txt::Ok));
    buttons->button(QDialogButtonBox::Cancel)->setText(GetText(Txt::Cancel));
    connect(buttons, &QDialogButtonBox::accepted, this, &TDownloadMethod_frm::OkClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void TDownloadMethod_frm::OkClick()
{
    WriteSettingBool(UseQuickAdd, OptionsSection, FQuick->isChecked());
    accept();
}

void AskDownloadMethodOnce(QWidget *parent)
{
    if (SettingExists(UseQuickAdd, OptionsSection))
        return;
    TDownloadMethod_frm dialog(parent);
    dialog.exec();
}
