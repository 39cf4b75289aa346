#include "transfer/operations/special_options.h"

#include <cstddef>

namespace kvtk {
namespace {

constexpr int kOption1 = 0;
constexpr int kOption2 = 1;

int32_t SetBox(int32_t mask, int box, bool checked) {
    const int32_t bit = int32_t{1} << box;
    return checked ? (mask | bit) : (mask & (255 - bit));
}

}  // namespace

const std::array<const char*, kSpecialOptionCount>& SpecialOptionCaptions() {
    static const std::array<const char*, kSpecialOptionCount> captions{
        "Option 1", "Option 2",           "Flash Mode",         "Option 4",
        "Option 5", "Group 1 -> Timer 1", "Group 2 -> Timer 2", "Group 3 -> Timer 3",
    };
    return captions;
}

std::array<bool, kSpecialOptionCount> SpecialOptionBoxes(int32_t mask) {
    std::array<bool, kSpecialOptionCount> boxes{};
    for (int i = 0; i < kSpecialOptionCount; ++i)
        boxes[static_cast<std::size_t>(i)] = (mask >> i) & 1;
    return boxes;
}

int32_t ClickSpecialOption(int32_t mask, int box, bool checked) {
    if (box < 0 || box >= kSpecialOptionCount) return mask;
    if (box == kOption1 && !checked) mask = SetBox(mask, kOption2, false);
    if (box == kOption2 && checked) mask = SetBox(mask, kOption1, true);
    return SetBox(mask, box, checked);
}

}  // namespace kvtk
