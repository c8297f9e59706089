// SPDX-License-Identifier: GPL-3.0-or-later
// The converters. Length and mass run through a base unit (centimetre,
// kilogram): a field's value goes to the base with the constant of its row,
// then every field of the group is its factor times the base, rounded to
// 8 places. Temperature has two fixed formulas and no rounding.
#pragma once

#include <array>
#include <span>
#include <variant>

#include <QList>
#include <QString>

#include "numtext.h"

namespace convert {

enum class Entry {
    Text,     // the base unit's own field: its text is passed on as it stands
    Multiply, // value times constant
    Divide,   // value divided by constant, the same double as the factor
};

struct Unit {
    Entry entry;
    double constant;
    double factor; // units per base unit
};

// The base unit's own row: its field's text is passed on as it stands.
constexpr Unit base()
{
    return {Entry::Text, 1, 1};
}

// A unit entered by dividing by the very number that is its factor.
constexpr Unit divided(double factor)
{
    return {Entry::Divide, factor, factor};
}

// A unit entered by multiplying with a constant of its own.
constexpr Unit multiplied(double constant, double factor)
{
    return {Entry::Multiply, constant, factor};
}

// Rows in the order the fields are written, which is their order on screen.
enum class Length { Centimetre, Metre, Kilometre, Inch, Foot, Yard, Mile, NauticalMile };
inline constexpr std::array<Unit, 8> lengths{{
    base(),
    multiplied(100, 0.01),
    multiplied(100000, 0.00001),
    divided(0.3937007874),
    divided(0.03280839895),
    divided(0.01093613298),
    divided(0.0000062137119),
    divided(0.000005399568034),
}};

enum class Mass {
    Gram, Carat, Kilogram, Tonne,
    Grain, Dram, Ounce, Pound, ShortTon, LongTon,
    TroyGrain, Pennyweight, TroyOunce, TroyPound,
};
inline constexpr std::array<Unit, 14> masses{{
    divided(1000),
    divided(5000),
    base(),
    multiplied(1000, 0.001),
    divided(15432.35808),
    divided(564.383488),
    divided(35.273968),
    divided(2.204623),
    divided(0.001102311),
    divided(0.000984206),
    divided(15432.35808),
    divided(643.01492),
    divided(32.150746),
    divided(2.67922883333),
}};

template<std::size_t N>
constexpr std::array<double, N> factorsOf(const std::array<Unit, N> &units)
{
    std::array<double, N> factors{};
    for (std::size_t i = 0; i < N; ++i)
        factors[i] = units[i].factor;
    return factors;
}

// A base value: a number of base units, or the base unit field's own text.
using Base = std::variant<double, QString>;

// A field's base value, or why its text gives none.
using BaseValue = numtext::Outcome<Base>;

// The base value for a field's text, with the arithmetic check. A field of
// Entry::Text gives its text back unparsed.
BaseValue toBase(const Unit &unit, const QString &text, numtext::Format format);

// What a field of a group shows, and where rounding to 8 places changed that,
// its unrounded value by the same rendering rules.
struct Figure {
    QString text;
    QString unrounded; // empty where the text already is the unrounded value
};

// Every field of a group, factor by factor; or, when a product leaves the
// double range, the error and no figure at all.
using Figures = numtext::Outcome<QList<Figure>>;

Figures fanOut(std::span<const double> factors, const Base &base, numtext::Format format);

// What a field of a group left with this text gives every field of the group:
// toBase with the field's unit, then fanOut with the group's factors.
Figures figures(const Unit &unit, std::span<const double> factors, const QString &text, numtext::Format format);

enum class Temperature { Celsius, Fahrenheit };

// Fahrenheit = Celsius * 9 / 5 + 32 and Celsius = (Fahrenheit - 32) * 5 / 9,
// each step a double operation of its own, unrounded.
numtext::Result celsiusToFahrenheit(QStringView text, numtext::Format format);
numtext::Result fahrenheitToCelsius(QStringView text, numtext::Format format);

// The temperature on the other scale for a field's text on this one.
numtext::Result otherScale(Temperature scale, QStringView text, numtext::Format format);

} // namespace convert
