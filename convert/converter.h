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

// Rows in the order the fields are written, which is their order on screen.
enum class Length { Centimetre, Metre, Kilometre, Inch, Foot, Yard, Mile, NauticalMile };
inline constexpr std::array<Unit, 8> lengths{{
    {Entry::Text, 1, 1},
    {Entry::Multiply, 100, 0.01},
    {Entry::Multiply, 100000, 0.00001},
    {Entry::Divide, 0.3937007874, 0.3937007874},
    {Entry::Divide, 0.03280839895, 0.03280839895},
    {Entry::Divide, 0.01093613298, 0.01093613298},
    {Entry::Divide, 0.0000062137119, 0.0000062137119},
    {Entry::Divide, 0.000005399568034, 0.000005399568034},
}};

enum class Mass {
    Gram, Carat, Kilogram, Tonne,
    Grain, Dram, Ounce, Pound, ShortTon, LongTon,
    TroyGrain, Pennyweight, TroyOunce, TroyPound,
};
inline constexpr std::array<Unit, 14> masses{{
    {Entry::Divide, 1000, 1000},
    {Entry::Divide, 5000, 5000},
    {Entry::Text, 1, 1},
    {Entry::Multiply, 1000, 0.001},
    {Entry::Divide, 15432.35808, 15432.35808},
    {Entry::Divide, 564.383488, 564.383488},
    {Entry::Divide, 35.273968, 35.273968},
    {Entry::Divide, 2.204623, 2.204623},
    {Entry::Divide, 0.001102311, 0.001102311},
    {Entry::Divide, 0.000984206, 0.000984206},
    {Entry::Divide, 15432.35808, 15432.35808},
    {Entry::Divide, 643.01492, 643.01492},
    {Entry::Divide, 32.150746, 32.150746},
    {Entry::Divide, 2.67922883333, 2.67922883333},
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
struct BaseValue {
    Base value;
    numtext::Error error = numtext::Error::None;

    explicit operator bool() const { return error == numtext::Error::None; }
};

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
struct Figures {
    QList<Figure> figures;
    numtext::Error error = numtext::Error::None;

    explicit operator bool() const { return error == numtext::Error::None; }
};

Figures fanOut(std::span<const double> factors, const Base &base, numtext::Format format);

// Fahrenheit = Celsius * 9 / 5 + 32 and Celsius = (Fahrenheit - 32) * 5 / 9,
// each step a double operation of its own, unrounded.
numtext::Result celsiusToFahrenheit(QStringView text, numtext::Format format);
numtext::Result fahrenheitToCelsius(QStringView text, numtext::Format format);

} // namespace convert
