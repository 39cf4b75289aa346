#include "ui/widgets/tone_colours.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <utility>

namespace kvtk {
namespace {

// Relative luminance of an sRGB colour, 0 (black) to 1 (white).
double Luminance(const QColor& colour) {
    auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

QColor Mix(const QColor& from, const QColor& to, double share) {
    auto channel = [share](int a, int b) {
        return static_cast<int>(std::lround(a + (b - a) * share));
    };
    return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()),
                  channel(from.blue(), to.blue()));
}

}  // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
    const double lighter = std::max(Luminance(a), Luminance(b));
    const double darker = std::min(Luminance(a), Luminance(b));
    return (lighter + 0.05) / (darker + 0.05);
}

QColor AlertColour(const QColor& window) {
    const QColor red(Qt::red);
    const QColor away = ContrastRatio(window, Qt::black) > ContrastRatio(window, Qt::white)
                            ? QColor(Qt::black)
                            : QColor(Qt::white);
    constexpr int kSteps = 20;
    for (int step = 0; step <= kSteps; ++step) {
        const QColor colour = Mix(red, away, static_cast<double>(step) / kSteps);
        if (ContrastRatio(colour, window) >= kReadableContrast) return colour;
    }
    return away;
}

void SetAlertTone(QWidget& widget, bool alert) {
    // A normal text takes the text colours the widget would have without
    // the alert: its parent's, or the application's.
    const QPalette inherited =
        widget.parentWidget() ? widget.parentWidget()->palette() : QApplication::palette(&widget);
    QPalette palette = widget.palette();
    for (const auto& [text, ground] : {std::pair{QPalette::WindowText, QPalette::Window},
                                       std::pair{QPalette::Text, QPalette::Base}}) {
        palette.setColor(text, alert ? AlertColour(palette.color(ground)) : inherited.color(text));
    }
    widget.setPalette(palette);
}

}  // namespace kvtk
