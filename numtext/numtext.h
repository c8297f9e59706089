// SPDX-License-Identifier: GPL-3.0-or-later
// Numeric text: every step between a field's text and a double. Parsing and
// rendering know the locale only through the Format passed in (the decimal
// separators written and read, and the locale's own digits), so the results
// never depend on setlocale().
#pragma once

#include <optional>

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
    Ambiguous,   // "1.500" where the decimal separator is a comma: 1,5 or 1500
    Grouping,    // separators between groups of digits, but not in groups of three, or with an exponent
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

    // Of point and comma, the one that is not the decimal separator.
    constexpr char16_t other() const { return decimal == u',' ? u'.' : u','; }

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

// Accepts blanks around an optional sign ("-", "+" or U+2212), digits with
// separators, and an optional exponent ("1,5E-3"). The digits are ASCII or
// all the locale's own: a mix is MixedDigits. D is the format's decimal
// separator (or otherDecimal), O the other of point and comma; a text is
// read where it can mean only one number:
// - no separator, or D once: as written;
// - O once and no D: O is the decimal separator ("1.5" where D is a comma),
//   unless the number is 1 to 3 digits, O and exactly 3 digits, which can
//   be a grouped integer as well: Ambiguous ("1.500");
// - both: the one that comes last, once, is the decimal separator, the
//   other separates groups of digits before it ("1.234,5", "1,234.5");
// - one of them more than once: it separates groups of an integer
//   ("1.234.567").
// Groups are 1 to 3 digits, then exactly 3 each, with no exponent: any
// other shape is Grouping. Anything else, including "inf", "nan" and hex
// forms, is NotANumber; a value beyond the double range is OutOfRange;
// one below it becomes zero.
Result parse(QStringView text, Format format);

// What an Ambiguous text can mean: with its separator read as the decimal
// separator, and as a group separator. None for any other text.
struct Readings {
    double decimal = 0;
    double grouped = 0;
};
std::optional<Readings> readings(QStringView text, Format format);

// OutOfRange for a value that is no longer finite, the arithmetic check that
// follows every step computed from a parsed value.
Result checked(double value);

// The double nearest to the multiple of 10^-places nearest to the exact value of x.
double roundToPlaces(double x, int places);

// At most 15 significant digits in ASCII, no trailing zeros, no grouping;
// fixed notation from 1e-8 to below 1e15, "1,5E+20" beyond. x must be finite.
QString render(double x, Format format);

} // namespace numtext
