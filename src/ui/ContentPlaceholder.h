#pragma once

#include <QWidget>

class QLabel;
class QVBoxLayout;

// A content form whose own window comes in a later version of the program: it shows its title so
// that the navigation already leads somewhere.
class TContentPlaceholder_frm : public QWidget
{
    Q_OBJECT
public:
    TContentPlaceholder_frm(const QString &title, QWidget *parent);
    QString title() const;
    void setTitle(const QString &title);

protected:
    QVBoxLayout *contentLayout() const { return m_layout; }

private:
    QLabel *m_title;
    QVBoxLayout *m_layout;
};
