// SPDX-License-Identifier: GPL-3.0-or-later
#include "converter.h"

#include <cassert>

namespace convert {

using numtext::Error;

Error toBase(const Unit &unit, const QString &text, numtext::Format format, Base &base)
{
    if (unit.entry == Entry::Text) {
        base = text;
        return Error::None;
    }
    const numtext::Result parsed = numtext::parse(text, format);
    if (!parsed)
        return parsed.error;
    const double value = unit.entry == Entry::Multiply ? parsed.value * unit.constant
                                                       : parsed.value / unit.constant;
    const numtext::Result result = numtext::checked(value);
    if (result)
        base = result.value;
    return result.error;
}

Error fanOut(std::span<const double> factors, const Base &base, numtext::Format format, std::span<QString> texts)
{
    assert(factors.size() == texts.size());
    double value = 0.0;
    if (const auto *text = std::get_if<QString>(&base)) {
        const numtext::Result parsed = numtext::parse(*text, format);
        if (!parsed)
            return parsed.error;
        value = parsed.value;
    } else {
        value = std::get<double>(base);
    }
    // Every product first: one beyond the double range fails the whole group
    // before a single text is made.
    for (const double factor : factors) {
        if (const numtext::Result product = numtext::checked(factor * value); !product)
            return product.error;
    }
    for (std::size_t i = 0; i < factors.size(); ++i)
        texts[i] = numtext::render(numtext::roundToPlaces(factors[i] * value, 8), format);
    return Error::None;
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

} // namespace convert
