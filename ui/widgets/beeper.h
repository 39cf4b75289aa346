#pragma once
// The one way the windows beep. The main window owns a Beeper and hands it to
// its widgets; tests give it a sink that counts instead of sounding.

#include <functional>

namespace kvtk {

class Beeper {
public:
    using Sink = std::function<void()>;
    Beeper();  // sounds QApplication::beep
    explicit Beeper(Sink sink);

    void Beep() const;
    void SetSink(Sink sink);

private:
    Sink sink_;
};

}  // namespace kvtk
