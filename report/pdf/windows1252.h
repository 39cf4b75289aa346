#pragma once
// The system's 8-bit text (Windows-1252) as a QString, for painting.

#include <QString>
#include <string>

namespace kvtk {

QString FromWindows1252(const std::string& text);

}  // namespace kvtk
