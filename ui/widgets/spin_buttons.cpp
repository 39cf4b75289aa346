#include "ui/widgets/spin_buttons.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <chrono>
#include <utility>

#include "ui/widgets/text_convert.h"

namespace kvtk {
namespace {

constexpr int kInitialDelayMs = 225;

int64_t NowMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

QToolButton* MakeArrow(Qt::ArrowType arrow, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setAutoRepeatDelay(kInitialDelayMs);
    button->setAutoRepeatInterval(kInitialDelayMs);
    // The field keeps the focus; its Up and Down keys do the same.
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);
    button->setFixedWidth(16);
    return button;
}

}  // namespace

SpinButtons::SpinButtons(QLineEdit* field, Limit downLimit, Limit upLimit, SpinTick& tick,
                         const Beeper& beeper, const QString& accessibleName, QWidget* parent)
    : QWidget(parent),
      field_(field),
      downLimit_(std::move(downLimit)),
      upLimit_(std::move(upLimit)),
      tick_(tick),
      beeper_(beeper),
      up_(MakeArrow(Qt::UpArrow, this)),
      down_(MakeArrow(Qt::DownArrow, this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(up_);
    layout->addWidget(down_);
    SetAccessibleNames(accessibleName);
    connect(up_, &QToolButton::clicked, this, [this] { Step(1); });
    connect(down_, &QToolButton::clicked, this, [this] { Step(-1); });
    field_->installEventFilter(this);
}

void SpinButtons::SetAccessibleNames(const QString& name) {
    up_->setAccessibleName(name + QStringLiteral(" up"));
    down_->setAccessibleName(name + QStringLiteral(" down"));
}

int SpinButtons::RepeatDelay() const {
    return up_->autoRepeatInterval();
}

void SpinButtons::Step(int direction) {
    const int delay = SpinStepDelay(tick_, NowMs(), RepeatDelay());
    up_->setAutoRepeatInterval(delay);
    down_->setAutoRepeatInterval(delay);
    const int limit = direction == 1 ? upLimit_() : downLimit_();
    const auto value = SpinStepValue(ToCoreText(field_->text()), limit, direction);
    if (value)
        field_->setText(QString::number(*value));
    else
        beeper_.Beep();
    field_->setFocus(Qt::OtherFocusReason);
    field_->selectAll();
}

bool SpinButtons::eventFilter(QObject* watched, QEvent* event) {
    if (watched == field_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
            Step(key->key() == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace kvtk
