#pragma once
// A measuring hook for the start-up benchmark (bench/startup): with
// KVTK_STARTUP_PROBE set in the environment, the program prints
// "kvtk-startup exposed rss-kb=<resident memory>" on standard output as soon
// as its first window is on the screen, and then ends. Without the variable
// nothing changes.

class QApplication;

namespace kvtk {

void InstallStartupProbe(QApplication& app);

}  // namespace kvtk
