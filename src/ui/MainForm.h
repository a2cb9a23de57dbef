#pragma once

#include <QMainWindow>

#include <functional>

class QLabel;
class QLocalServer;

// The main window. For now a plain window that shows the open collection; it already keeps the
// flags other parts of the program read and write, the start-up duties and the close sequence.
class TMainFormRNZ_frm : public QMainWindow
{
    Q_OBJECT
public:
    TMainFormRNZ_frm();
    ~TMainFormRNZ_frm() override;

    // Loads the language texts; false when the program must end (the user was told why).
    bool LoadTranslation();
    void translate();
    void refreshDatabaseLabel();
    QString databaseLabelText() const;

    // Called once, the first time the window is shown (frees the splash window).
    std::function<void()> onFirstShow;

    bool ChangesMadeInLastEntrySession = false;
    bool UseGridMode = false;
    bool UseAutoSearch = true;
    bool UseAutoFormat = true;
    bool UseAutoCounter = true;
    int ErrorCounter = 0;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void readOptions();

    QLabel *m_databaseLabel;
    QLocalServer *m_instanceServer;
    bool m_shown = false;
};
