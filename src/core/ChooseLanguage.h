#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The first-start dialog: the program's language and the collection to create or open.
class TChooseLanguage_frm : public QDialog
{
    Q_OBJECT
public:
    explicit TChooseLanguage_frm(QWidget *parent = nullptr);

    QComboBox *languageBox() const { return m_language; }
    QLineEdit *pathField() const { return m_path; }
    QPushButton *okButton() const { return m_ok; }

    void applyTexts();

private slots:
    void LanguageChange(int index);
    void BrowseClick();
    void OpenExistingClick();
    void OKClick();

private:
    QString fileFilter() const;

    QComboBox *m_language;
    QLabel *m_product;
    QLabel *m_languageHeading;
    QLabel *m_introduction;
    QLabel *m_databaseHeading;
    QLabel *m_openLink;
    QLineEdit *m_path;
    QPushButton *m_browse;
    QPushButton *m_ok;
};

// Fills the drop-down with the offered languages and returns how many there are.
int FillLanguageList(QComboBox *comboBox);
