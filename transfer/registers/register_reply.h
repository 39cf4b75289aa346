#pragma once
// Reading values out of a panel's reply "A" + value digits. Character 1 is
// the reply class letter; value digits start at character 2. Nothing here
// reads past the end of a reply: a short reply simply carries fewer digits
// (the hex value of a shorter text), and no digits at all read as 0.

#include <cstdint>
#include <string>

namespace kvtk {

// A reply the panel accepted: it begins with "A".
bool IsAcceptedReply(const std::string& reply);

// Up to `count` characters from character `first` (1-based); fewer, or
// none, when the reply is shorter.
std::string ReplyChars(const std::string& reply, int first, int count);

// Hex value of up to `count` digits from character `first`; stops at the
// first character that is not a hex digit.
int32_t ReplyHex(const std::string& reply, int first, int count);

// The value of the one decimal digit at `position` (character 2 unless
// told): 0 for a missing or non-digit character.
int ReplyDigit(const std::string& reply, int position = 2);

}  // namespace kvtk
