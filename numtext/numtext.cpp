// SPDX-License-Identifier: GPL-3.0-or-later
#include "numtext.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string_view>
#include <system_error>

#include <QLocale>
#include <QVarLengthArray>

namespace numtext {

Format Format::fromLocale(const QLocale &locale)
{
    const auto separator = [](const QLocale &of) {
        const QString point = of.decimalPoint();
        return point.size() == 1 ? point.front().unicode() : u'.';
    };
    Format format;
    const char16_t qtDecimal = separator(locale);
    if (qtDecimal < 0x80) {
        format.decimal = qtDecimal;
        // Windows gives the user's setting, "." for Arabic, where Qt's own
        // data give the Arabic separator: one typed is read all the same.
        if (const char16_t own = separator(QLocale(locale.language(), locale.script(), locale.territory()));
            own >= 0x80)
            format.otherDecimal = own;
    } else {
        // What the desktop's other programs write and read back, and a
        // keyboard of Latin digits types.
        format.decimal = u'.';
        format.otherDecimal = qtDecimal;
    }
    if (const QList<uint> zero = locale.zeroDigit().toUcs4(); zero.size() == 1)
        format.zero = zero.front();
    return format;
}

namespace {

// Whose digits a number is written in.
enum class Script { None, Ascii, Native };

// The value of a digit, ASCII or the locale's own, or -1 for no digit.
int digitOf(char32_t c, char32_t zero, Script *script)
{
    if (c >= U'0' && c <= U'9') {
        *script = Script::Ascii;
        return int(c - U'0');
    }
    if (zero != U'0' && c >= zero && c <= zero + 9) {
        *script = Script::Native;
        return int(c - zero);
    }
    return -1;
}

// from_chars reports both overflow and underflow as out of range; this tells
// them apart from the validated text: a number whose first significant digit
// stands at or above the units place cannot underflow.
bool overflows(const char *first, const char *last)
{
    int64_t leading = 0; // decimal exponent of the first significant digit
    bool seenPoint = false;
    bool found = false;
    int64_t intDigits = 0;
    int64_t fractionZeros = 0;
    const char *p = first;
    if (p != last && *p == '-')
        ++p;
    for (; p != last && *p != 'e'; ++p) {
        if (*p == '.') {
            seenPoint = true;
        } else if (!found && *p == '0') {
            if (seenPoint)
                ++fractionZeros;
        } else if (!found) {
            found = true;
            if (seenPoint)
                leading = -(fractionZeros + 1);
            else
                intDigits = 1;
        } else if (!seenPoint) {
            ++intDigits;
        }
    }
    if (!found)
        return false;
    if (intDigits > 0)
        leading = intDigits - 1;

    int64_t exponent = 0;
    if (p != last) {
        ++p; // 'e'
        bool negative = false;
        if (*p == '-' || *p == '+')
            negative = *p++ == '-';
        for (; p != last; ++p)
            exponent = std::min<int64_t>(exponent * 10 + (*p - '0'), int64_t{1} << 40);
        if (negative)
            exponent = -exponent;
    }
    return leading + exponent >= 0;
}

// Blanks of any kind (no-break space included) and invisible format marks
// (bidi marks, zero-width space, byte order mark) that text pasted from
// elsewhere carries around a number.
bool isPadding(QChar c)
{
    return c.isSpace() || c.category() == QChar::Other_Format;
}

QStringView stripped(QStringView text)
{
    while (!text.isEmpty() && isPadding(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isPadding(text.back()))
        text.chop(1);
    return text;
}

bool isMinus(char16_t c)
{
    return c == u'-' || c == u'\u2212'; // MINUS SIGN, as typeset text writes it
}

} // namespace

Result parse(QStringView text, Format format)
{
    const QStringView t = stripped(text);

    // Validate the whole text first and hand from_chars a plain ASCII copy with
    // '.' as separator: from_chars alone would take "inf", "nan" and a prefix.
    QVarLengthArray<char, 64> ascii;
    ascii.reserve(t.size());
    qsizetype i = 0;
    const qsizetype n = t.size();
    Script script = Script::None;
    bool mixed = false;
    // Takes the digit at i into the copy, if one stands there; a digit of
    // some scripts takes two UTF-16 units.
    const auto takeDigit = [&] {
        if (i >= n)
            return false;
        char32_t c = t[i].unicode();
        qsizetype units = 1;
        if (t[i].isHighSurrogate() && i + 1 < n && t[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(t[i], t[i + 1]);
            units = 2;
        }
        Script of = Script::None;
        const int value = digitOf(c, format.zero, &of);
        if (value < 0)
            return false;
        mixed = mixed || (script != Script::None && of != script);
        script = of;
        ascii.append(char('0' + value));
        i += units;
        return true;
    };
    const auto isDecimal = [&format](char16_t c) {
        return c == format.decimal || (format.otherDecimal != 0 && c == format.otherDecimal);
    };

    if (i < n && (t[i] == u'+' || isMinus(t[i].unicode()))) {
        if (t[i] != u'+')
            ascii.append('-');
        ++i;
        // Qt writes the minus of some right-to-left locales between two
        // left-to-right marks.
        while (i < n && t[i].category() == QChar::Other_Format)
            ++i;
    }
    qsizetype digits = 0;
    bool separator = false;
    for (;;) {
        if (takeDigit()) {
            ++digits;
        } else if (i < n && isDecimal(t[i].unicode()) && !separator) {
            ascii.append('.');
            separator = true;
            ++i;
        } else {
            break;
        }
    }
    if (digits == 0)
        return {0.0, Error::NotANumber};
    if (i < n && (t[i] == u'e' || t[i] == u'E')) {
        ascii.append('e');
        ++i;
        if (i < n && (t[i] == u'+' || isMinus(t[i].unicode())))
            ascii.append(t[i++] == u'+' ? '+' : '-');
        qsizetype exponentDigits = 0;
        while (takeDigit())
            ++exponentDigits;
        if (exponentDigits == 0)
            return {0.0, Error::NotANumber};
    }
    if (i != n)
        return {0.0, Error::NotANumber};
    if (mixed)
        return {0.0, Error::MixedDigits};

    const char *first = ascii.constData();
    const char *last = first + ascii.size();
    double value = 0.0;
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec == std::errc::result_out_of_range) {
        if (overflows(first, last))
            return {0.0, Error::OutOfRange};
        return {*first == '-' ? -0.0 : 0.0, Error::None};
    }
    if (ec != std::errc() || end != last)
        return {0.0, Error::NotANumber};
    return {value, Error::None};
}

Result checked(double value)
{
    if (!std::isfinite(value))
        return {0.0, Error::OutOfRange};
    return {value, Error::None};
}

double roundToPlaces(double x, int places)
{
    // Every double of this size is a whole number: nothing to round.
    if (!std::isfinite(x) || std::fabs(x) >= 0x1p52)
        return x;
    // to_chars prints the exact binary value correctly rounded to the places
    // (an exact tie goes to the even digit), from_chars takes the nearest double.
    // Going through x * 10^places instead overflows near 1e301 and misrounds
    // doubles that lie just below a halfway point.
    char buffer[64];
    const auto printed = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed, places);
    double rounded = x;
    std::from_chars(buffer, printed.ptr, rounded);
    return rounded;
}

QString render(double x, Format format)
{
    if (x == 0.0 || !std::isfinite(x))
        return QStringLiteral("0");

    // 15 significant digits, correctly rounded: "-d.ddddddddddddde+XX".
    char buffer[32];
    const auto printed = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::scientific, 14);
    const char *p = buffer;
    const bool negative = *p == '-';
    if (negative)
        ++p;
    char digits[15];
    int count = 0;
    for (; *p != 'e'; ++p) {
        if (*p != '.')
            digits[count++] = *p;
    }
    ++p; // 'e'
    if (*p == '+')
        ++p;
    int exponent = 0;
    std::from_chars(p, printed.ptr, exponent);
    // Near the top of the range the nearest 15 digits can lie beyond the
    // largest double (1.79769313486232E+308) and would never parse back: those
    // few values are cut to the 15 digits below instead.
    static constexpr char largest[] = "179769313486231";
    if (exponent == 308 && std::string_view(digits, 15) > std::string_view(largest, 15))
        std::copy(largest, largest + 15, digits);
    while (count > 1 && digits[count - 1] == '0')
        --count;

    QString out;
    out.reserve(24);
    if (negative)
        out += u'-';
    if (exponent >= -8 && exponent < 15) {
        if (exponent >= 0) {
            for (int k = 0; k <= exponent; ++k)
                out += QLatin1Char(k < count ? digits[k] : '0');
            if (count > exponent + 1) {
                out += QChar(format.decimal);
                for (int k = exponent + 1; k < count; ++k)
                    out += QLatin1Char(digits[k]);
            }
        } else {
            out += u'0';
            out += QChar(format.decimal);
            out += QString(-exponent - 1, u'0');
            for (int k = 0; k < count; ++k)
                out += QLatin1Char(digits[k]);
        }
    } else {
        out += QLatin1Char(digits[0]);
        if (count > 1) {
            out += QChar(format.decimal);
            for (int k = 1; k < count; ++k)
                out += QLatin1Char(digits[k]);
        }
        out += exponent < 0 ? u"E-" : u"E+";
        out += QString::number(std::abs(exponent));
    }
    return out;
}

} // namespace numtext
