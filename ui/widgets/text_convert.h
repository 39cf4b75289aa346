#pragma once
// The core keeps 8-bit Windows-1252 text; Qt widgets hold QString. These two
// functions are the only place where one becomes the other.

#include <QString>
#include <string>

namespace kvtk {

QString ToQString(const std::string& text);
// Characters Windows-1252 cannot hold become "?".
std::string ToCoreText(const QString& text);

}  // namespace kvtk
