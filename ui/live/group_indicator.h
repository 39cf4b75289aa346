#pragma once
// One group's on/off indicator in the group check window. The state shows as
// a shape and a word (a filled lamp reading "ON", a hollow one reading
// "OFF", "?" when the reply could not be read), never by colour alone, and
// the accessible name carries it too ("Group 5 on"). A click or Enter asks
// for the group's status, a double click or Space for a toggle; the arrow
// keys move to the neighbouring group.

#include <QWidget>

namespace kvtk {

class GroupIndicator : public QWidget {
    Q_OBJECT
public:
    enum class State { Off, On, Unreadable };

    GroupIndicator(int group, QWidget* parent = nullptr);

    int Group() const { return group_; }
    State CurrentState() const { return state_; }
    void SetState(State state);

    QSize sizeHint() const override;

signals:
    void statusRequested(int group);
    void toggleRequested(int group);
    void focusChanged(int group, bool focused);
    // An arrow key (Qt::Key_Up ... Qt::Key_Right): the window moves the focus.
    void arrowPressed(int group, int key);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void UpdateAccessibleName();

    int group_;
    State state_ = State::Off;
    // The release that ends a double click is not a click of its own.
    bool releaseEndsDoubleClick_ = false;
};

}  // namespace kvtk
