#pragma once

#include <QWidget>

class QLabel;
class QListWidget;
class QPushButton;
class QTabWidget;

// The "File" page of the main window: the known databases to open and the program's version and
// language. It covers the window's working area until the user goes back.
class TBackstage_frm : public QWidget
{
    Q_OBJECT
public:
    explicit TBackstage_frm(QWidget *parent);

    void translate();
    // Refills the database list from "database.lst" without the open database.
    void refillDatabaseList(const QString &listFile, const QString &currentDatabase);

    QListWidget *databaseList() const { return m_databases; }
    QPushButton *openButton() const { return m_open; }
    QTabWidget *tabs() const { return m_tabs; }
    QString versionText() const;
    QString languageText() const;
    QString creditText() const;

signals:
    void openDatabaseRequested(const QString &databaseString);
    void backRequested();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void openSelected();

    QTabWidget *m_tabs;
    QListWidget *m_databases;
    QPushButton *m_open;
    QPushButton *m_back;
    QLabel *m_version;
    QLabel *m_language;
    QLabel *m_credit;
};
