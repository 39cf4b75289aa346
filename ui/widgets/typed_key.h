#pragma once
// What a key press types into a field.

#include <QKeyEvent>
#include <optional>

namespace kvtk {

// The one character the key types, or nothing for keys that edit or move
// (Backspace, Delete, arrows, Tab) and for shortcuts, which the fields pass
// on unchecked.
inline std::optional<QChar> TypedCharacter(const QKeyEvent& key) {
    const QString typed = key.text();
    if (typed.size() != 1 || !typed.at(0).isPrint()) return std::nullopt;
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return std::nullopt;
    return typed.at(0);
}

}  // namespace kvtk
