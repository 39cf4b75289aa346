#pragma once
// How long an action took, in milliseconds.

#include <QElapsedTimer>
#include <functional>

namespace kvtk::test {

inline double Timed(const std::function<void()>& action) {
    QElapsedTimer clock;
    clock.start();
    action();
    return static_cast<double>(clock.elapsed());
}

}  // namespace kvtk::test
