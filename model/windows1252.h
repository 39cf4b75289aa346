#pragma once
// The one table of the code page the program's 8-bit text uses
// (Windows-1252). Every byte has a character: the five bytes the code page
// leaves undefined stand for the C1 control of the same value, so any text
// survives the way to another encoding and back.

namespace kvtk {

char32_t Windows1252Character(unsigned char byte);
// False for a character no byte stands for.
bool Windows1252Byte(char32_t character, unsigned char& byte);

}  // namespace kvtk
