// SPDX-License-Identifier: GPL-3.0-or-later
// Numeric text: every step between a field's text and a double. Parsing and
// rendering know the locale only through the Format passed in (the decimal
// separators written and read, and the locale's own digits), so the results
// never depend on setlocale().
#pragma once

#include <QString>
#include <QStringView>

QT_BEGIN_NAMESPACE
class QLocale;
QT_END_NAMESPACE

namespace numtext {

enum class Error {
    None,
    NotANumber,  // the text is not a number in this locale
    OutOfRange,  // the value or a result computed from it lies beyond the double range
    MixedDigits, // the digits of two scripts in one number
};

struct Format {
    char16_t decimal = u'.';   // the separator written, and read
    char16_t otherDecimal = 0; // a separator read as well; 0: none
    char32_t zero = U'0';      // the zero of the locale's own digits, read as well as ASCII ones

    // Where Qt's separator is not ASCII (U+066B, the Arabic decimal
    // separator), the ASCII one that glibc's data and CLDR's Latin-digit
    // symbols give is written, and both are read; where the system gives an
    // ASCII one for such a locale (Windows: the user's setting), that one is
    // written and the locale's own is read as well.
    static Format fromLocale(const QLocale &locale);

    friend bool operator==(const Format &, const Format &) = default;
};

// A result, or why there is none.
template<typename T>
struct Outcome {
    T value{};
    Error error = Error::None;

    explicit operator bool() const { return error == Error::None; }
};

using Result = Outcome<double>;

// Accepts blanks around an optional sign ("-", "+" or U+2212), digits with at
// most one decimal separator of the format, and an optional exponent
// ("1,5E-3"). The digits are ASCII or all the locale's own: a mix is
// MixedDigits. Anything else, including group separators, "inf", "nan" and
// hex forms, is NotANumber; a value beyond the double range is OutOfRange;
// one below it becomes zero.
Result parse(QStringView text, Format format);

// OutOfRange for a value that is no longer finite, the arithmetic check that
// follows every step computed from a parsed value.
Result checked(double value);

// The double nearest to the multiple of 10^-places nearest to the exact value of x.
double roundToPlaces(double x, int places);

// At most 15 significant digits in ASCII, no trailing zeros, no grouping;
// fixed notation from 1e-8 to below 1e15, "1,5E+20" beyond. x must be finite.
QString render(double x, Format format);

} // namespace numtext
