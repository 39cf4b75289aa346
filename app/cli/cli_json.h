#pragma once
// The --json output of kvtk-cli: one JSON object per run on standard
// output, keys in a fixed order, text converted from the panels' 8-bit
// Windows-1252 to UTF-8.

#include <string>
#include <vector>

namespace kvtk::cli {

// A quoted, escaped JSON string of an 8-bit text.
std::string JsonString(const std::string& text);
// The same of a text already in UTF-8 (names and words of the system).
std::string JsonUtf8String(const std::string& utf8);
// The same of a file or folder name as the system spells it (the locale's
// encoding, UTF-8 here), which is no panel text.
std::string JsonPathString(const std::string& path);
// "[a,b,...]" of values already in JSON.
std::string JsonArray(const std::vector<std::string>& values);

class JsonObject {
public:
    JsonObject& Text(const std::string& key, const std::string& value);
    JsonObject& Number(const std::string& key, long long value);
    JsonObject& Flag(const std::string& key, bool value);
    JsonObject& Raw(const std::string& key, const std::string& json);
    std::string Json() const { return "{" + members_ + "}"; }

private:
    std::string members_;
};

}  // namespace kvtk::cli
