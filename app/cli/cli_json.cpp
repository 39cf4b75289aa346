#include "app/cli/cli_json.h"

#include <QByteArray>
#include <QFile>
#include <cstdio>

#include "report/pdf/windows1252.h"

namespace kvtk::cli {

namespace {

std::string QuotedUtf8(const QByteArray& utf8) {
    std::string json = "\"";
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (byte < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            json += escape;
        } else {
            json += c;
        }
    }
    return json + "\"";
}

}  // namespace

std::string JsonString(const std::string& text) {
    return QuotedUtf8(FromWindows1252(text).toUtf8());
}

std::string JsonUtf8String(const std::string& utf8) {
    return QuotedUtf8(QByteArray::fromStdString(utf8));
}

std::string JsonPathString(const std::string& path) {
    return QuotedUtf8(QFile::decodeName(QByteArray::fromStdString(path)).toUtf8());
}

std::string JsonArray(const std::vector<std::string>& values) {
    std::string json = "[";
    for (size_t i = 0; i < values.size(); ++i) json += (i ? "," : "") + values[i];
    return json + "]";
}

JsonObject& JsonObject::Raw(const std::string& key, const std::string& json) {
    if (!members_.empty()) members_ += ',';
    members_ += JsonString(key) + ":" + json;
    return *this;
}

JsonObject& JsonObject::Text(const std::string& key, const std::string& value) {
    return Raw(key, JsonString(value));
}

JsonObject& JsonObject::Number(const std::string& key, long long value) {
    return Raw(key, std::to_string(value));
}

JsonObject& JsonObject::Flag(const std::string& key, bool value) {
    return Raw(key, value ? "true" : "false");
}

}  // namespace kvtk::cli
