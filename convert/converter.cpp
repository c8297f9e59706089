// SPDX-License-Identifier: GPL-3.0-or-later
#include "converter.h"

#include <utility>

namespace convert {

BaseValue toBase(const Unit &unit, const QString &text, numtext::Format format)
{
    if (unit.entry == Entry::Text)
        return {text};
    const numtext::Result parsed = numtext::parse(text, format);
    if (!parsed)
        return {{}, parsed.error};
    const double value = unit.entry == Entry::Multiply ? parsed.value * unit.constant
                                                       : parsed.value / unit.constant;
    const numtext::Result checked = numtext::checked(value);
    return {checked.value, checked.error};
}

Figures fanOut(std::span<const double> factors, const Base &base, numtext::Format format)
{
    double value = 0.0;
    if (const auto *text = std::get_if<QString>(&base)) {
        const numtext::Result parsed = numtext::parse(*text, format);
        if (!parsed)
            return {{}, parsed.error};
        value = parsed.value;
    } else {
        value = std::get<double>(base);
    }
    // Every product first: one beyond the double range fails the whole group
    // before a single text is made.
    for (const double factor : factors) {
        if (const numtext::Result product = numtext::checked(factor * value); !product)
            return {{}, product.error};
    }
    Figures result;
    result.value.reserve(qsizetype(factors.size()));
    for (const double factor : factors) {
        const double product = factor * value;
        Figure figure{numtext::render(numtext::roundToPlaces(product, 8), format), numtext::render(product, format)};
        if (figure.unrounded == figure.text)
            figure.unrounded.clear();
        result.value.append(std::move(figure));
    }
    return result;
}

Figures figures(const Unit &unit, std::span<const double> factors, const QString &text, numtext::Format format)
{
    const BaseValue base = toBase(unit, text, format);
    if (!base)
        return {{}, base.error};
    return fanOut(factors, base.value, format);
}

numtext::Result celsiusToFahrenheit(QStringView text, numtext::Format format)
{
    const numtext::Result celsius = numtext::parse(text, format);
    if (!celsius)
        return celsius;
    return numtext::checked(celsius.value * 9 / 5 + 32);
}

numtext::Result fahrenheitToCelsius(QStringView text, numtext::Format format)
{
    const numtext::Result fahrenheit = numtext::parse(text, format);
    if (!fahrenheit)
        return fahrenheit;
    return numtext::checked((fahrenheit.value - 32) * 5 / 9);
}

numtext::Result otherScale(Temperature scale, QStringView text, numtext::Format format)
{
    return scale == Temperature::Celsius ? celsiusToFahrenheit(text, format) : fahrenheitToCelsius(text, format);
}

} // namespace convert
