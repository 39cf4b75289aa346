#pragma once
// What the two live views (group check, input check) share: a modal window
// with an "&Auto Refresh" / "&Close" button and a refresh loop. Each pass of
// the loop is queued on the event loop, so the window stays responsive
// between passes and during each exchange's own wait; there is no timer and
// no pause, the pace is that of the panel's replies. The Close button, the
// close box and Escape end the loop after the exchange under way; the window
// then hides (it is kept, not destroyed) and sends nothing more.

#include <QDialog>

class QPushButton;

namespace kvtk {

class LiveWindow : public QDialog {
    Q_OBJECT
public:
    // Shows the window modally, opens the view (its first exchange) and
    // starts the loop; an empty reply at opening hides the window again.
    void Start();
    // True from Start() until the loop has ended.
    bool Looping() const { return looping_; }

    QPushButton* cmdAutoRefresh() const { return cmdAutoRefresh_; }

signals:
    void passFinished();
    void loopEnded();

protected:
    explicit LiveWindow(QWidget* parent);

    // The view's opening exchanges; false when the window closes at once.
    virtual bool OpenView() = 0;
    // One pass of the view's loop; false when the loop ends after it.
    virtual bool RunPass() = 0;
    virtual void StopView() = 0;
    // Redraws every control from the view's state.
    virtual void ShowState() = 0;
    // "&Close" while the view runs, "&Auto Refresh" otherwise.
    virtual bool ViewRunning() const = 0;
    QString RefreshCaption() const;

    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void QueuePass();
    void Pass();
    void Stop();
    void End();
    void RefreshClicked();

    QPushButton* cmdAutoRefresh_;
    bool looping_ = false;
    bool stopping_ = false;
};

}  // namespace kvtk
