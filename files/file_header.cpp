#include "files/file_header.h"

#include <array>
#include <sstream>
#include <utility>

#include "files/file_access.h"
#include "files/file_text.h"
#include "model/conversions.h"

namespace kvtk {

std::optional<std::string> NormaliseFileModel(const std::string& upperModel) {
    static const std::array<const char*, 16> kAccepted{
        "KV-??00", "KV-????", "KV-1400",  "KV-4300", "KV-4500", "KV-4600", "KV-4700", "KV-4800",
        "KV-4900", "KV-5500", "TMC-1400", "WQ08",    "WQ16",    "WQ32",    "WQ48",    "WQ60"};
    static const std::array<std::pair<const char*, const char*>, 4> kRewritten{{
        {"KV4500", "KV-4500"},
        {"KV4600", "KV-4600"},
        {"KV4800", "KV-4800"},
        {"TMC1400", "TMC-1400"},
    }};
    for (const char* model : kAccepted)
        if (upperModel == model) return upperModel;
    for (const auto& [from, to] : kRewritten)
        if (upperModel == from) return std::string(to);
    return std::nullopt;
}

HeaderReadResult ReadHeaderStream(std::istream& in) {
    HeaderReadResult result;
    FileHeaderView& view = result.View;
    auto failed = [&] {
        result.Status = HeaderStatus::Unreadable;
        return result;
    };

    if (!ReadField(in)) return failed();
    const auto productLine = ReadField(in);
    if (!productLine) return failed();
    const std::string product = ToUpper(*productLine);
    const auto blank = product.find(' ');
    if (blank == std::string::npos) return failed();

    const auto model = NormaliseFileModel(product.substr(0, blank));
    if (!model) {
        view.Description = kUnlistedModelText;
        view.DescriptionIsWarning = true;
        result.Status = HeaderStatus::UnlistedModel;
        return result;
    }
    view.Model = *model;
    const std::string version = Trim(product.substr(blank + 1, 5));
    view.Version = NumericValue(version) == 0 ? std::string{} : version;

    if (!ReadField(in)) return failed();
    while (true) {
        const auto line = ReadField(in);
        if (!line) return failed();
        const std::string upper = ToUpper(*line);
        if (StartsWith(upper, "----")) break;
        const auto kv = SplitKeyValue(upper);
        if (!kv) continue;
        if (kv->Key == "DATE") {
            view.Date = kv->Value;
        } else if (kv->Key == "TIME") {
            view.Time = kv->Value;
        } else if (kv->Key == "DESC") {
            view.DescriptionIsWarning = false;
            view.Description = kv->Value;
        }
    }

    if (!ReadField(in)) return failed();
    const auto addressLine = ReadField(in);
    if (!addressLine) return failed();
    const auto kv = SplitKeyValue(*addressLine);
    view.Address = NumberText(NumericValue(kv ? kv->Value : std::string{}));
    result.Status = HeaderStatus::Usable;
    return result;
}

HeaderReadResult ReadHeader(const std::string& fileName) {
    std::string text;
    if (!ReadWholeFile(fileName, text).Ok()) return {};
    std::istringstream in(std::move(text));
    return ReadHeaderStream(in);
}

}  // namespace kvtk
