#pragma once
// The small waiting windows of the device commands: "Saving..." while the
// panel writes its EEPROM and "Resetting..." while it restarts. One line of
// text and a one-shot timer that closes the window; shown modally and
// centred on the screen, so the command waits for it. The user cannot close
// it early.

#include <QDialog>
#include <QTimer>

class QLabel;

namespace kvtk {

inline constexpr const char* kSavingTitle = "Saving...";
inline constexpr const char* kResettingTitle = "Resetting...";

class frmTimedWait : public QDialog {
    Q_OBJECT
public:
    frmTimedWait(const QString& title, const QString& text, int milliseconds,
                 QWidget* parent = nullptr);

    QLabel* lblMessage() const { return lblMessage_; }
    QTimer& Timer() { return timer_; }

    // Starts the timer and waits modally until it has closed the window.
    void RunModal();

public slots:
    // Escape and the window's close button do not end the wait.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void TimerFired();

    QLabel* lblMessage_;
    QTimer timer_;
    bool finished_ = false;
};

}  // namespace kvtk
