// SPDX-License-Identifier: GPL-3.0-or-later
#include "colours.h"

#include <algorithm>
#include <array>
#include <cmath>

#include <QLabel>
#include <QPalette>

#include "layout.h"

namespace colours {

namespace {

double luminance(const QColor &c)
{
    auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

// The neutral grey of this relative luminance, or an invalid colour if none has it.
QColor greyOfLuminance(double l)
{
    if (l < 0 || l > 1)
        return {};
    const double v = l <= 0.0031308 ? 12.92 * l : 1.055 * std::pow(l, 1 / 2.4) - 0.055;
    const int level = std::clamp(static_cast<int>(std::lround(255 * v)), 0, 255);
    return {level, level, level};
}

} // namespace

double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor over(const QColor &colour, const QColor &background)
{
    const double a = colour.alphaF();
    const auto mix = [a](double c, double b) { return c * a + b * (1 - a); };
    return QColor::fromRgbF(mix(colour.redF(), background.redF()), mix(colour.greenF(), background.greenF()),
                            mix(colour.blueF(), background.blueF()));
}

QColor subHeading(const QPalette &palette)
{
    const QColor window = over(palette.color(QPalette::Window), Qt::white);
    const QColor text = over(palette.color(QPalette::WindowText), window);
    // Some themes' shadow is a translucent black meant for drop shadows:
    // judge it as it would be painted.
    const QColor shadow = over(palette.color(QPalette::Shadow), window);
    if (contrast(shadow, window) >= 4.5 && contrast(shadow, text) >= 1.5)
        return shadow;
    // A grey well inside the readable range, since the thin strokes of small
    // text paint lighter than their colour: 7:1 against the window where the
    // text colour leaves room for it, never closer to the text than 1.6:1.
    const double target = std::min(7.0, contrast(text, window) / 1.6);
    const double lw = luminance(window);
    const QColor grey = greyOfLuminance(luminance(text) < lw ? (lw + 0.05) / target - 0.05 : target * (lw + 0.05) - 0.05);
    // Text of low contrast leaves no grey both readable and apart from it: the text colour it is.
    return target >= 4.5 && grey.isValid() ? grey : text;
}

void colourSubHeadings(QWidget *window)
{
    // A colour for each of the window's states, from that state's own
    // colours, whichever state it is in now.
    QPalette colours = window->palette();
    std::array<QColor, QPalette::NColorGroups> colour;
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        colours.setCurrentColorGroup(group);
        colour[group] = subHeading(colours);
    }
    for (const layout::Control &c : layout::controls) {
        if (c.kind != layout::Kind::SubHeading)
            continue;
        auto *label = window->findChild<QLabel *>(QString::fromLatin1(c.name));
        QPalette palette = label->palette();
        for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            palette.setColor(group, QPalette::WindowText, colour[group]);
        label->setPalette(palette);
    }
}

} // namespace colours
