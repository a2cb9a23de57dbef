#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// Reaches a collection on a Firebird server: the user types its address and tests it before
// accepting; Cancel reconnects the collection that was open before.
class TNetworkConnect_frm : public QDialog
{
    Q_OBJECT
public:
    explicit TNetworkConnect_frm(QWidget *parent = nullptr);

    QLineEdit *addressField() const { return m_address; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }
    QPushButton *testButton() const { return m_test; }
    QString statusText() const;

private slots:
    void TestConnectionClick();
    void CancelClick();

private:
    void setStatus(const QString &text);

    QString m_previousDatabase;
    QLineEdit *m_address;
    QLabel *m_status;
    QPushButton *m_ok;
    QPushButton *m_cancel;
    QPushButton *m_test;
};
