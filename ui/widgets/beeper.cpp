#include "ui/widgets/beeper.h"

#include <QApplication>
#include <utility>

namespace kvtk {

Beeper::Beeper() : sink_([] { QApplication::beep(); }) {}

Beeper::Beeper(Sink sink) : sink_(std::move(sink)) {}

void Beeper::Beep() const {
    if (sink_) sink_();
}

void Beeper::SetSink(Sink sink) {
    sink_ = std::move(sink);
}

}  // namespace kvtk
