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

// A number's text read into the plain ASCII form from_chars takes, with '.'
// as its separator: the whole text is checked first, since from_chars alone
// would take "inf", "nan" and a prefix.
class Transcript
{
public:
    Transcript(QStringView text, Format format)
        : m_text(text)
        , m_format(format)
    {
        m_ascii.reserve(text.size());
    }

    // Error::None where the whole text is a number.
    Error read();
    const char *begin() const { return m_ascii.constData(); }
    const char *end() const { return m_ascii.constData() + m_ascii.size(); }

private:
    bool at(char16_t c) const { return m_at < m_text.size() && m_text[m_at] == c; }
    bool atSign() const { return m_at < m_text.size() && (at(u'+') || isMinus(m_text[m_at].unicode())); }
    // Takes a sign, a digit or a separator into the copy where one stands:
    // a separator as 'D' (the decimal one's kind) or 'O' (the other of
    // point and comma), until settle() knows which one is the decimal one.
    bool sign();
    bool digit();
    bool separator();
    // Makes the copy of the digits from first to last, separated at marks,
    // a number: the decimal separator '.', no group separators.
    Error settle(qsizetype first, qsizetype last, const QVarLengthArray<qsizetype, 8> &marks, bool exponent);

    QStringView m_text;
    Format m_format;
    QVarLengthArray<char, 64> m_ascii;
    qsizetype m_at = 0;
    Script m_script = Script::None;
    bool m_mixed = false;
};

Error Transcript::read()
{
    if (sign()) {
        // Qt writes the minus of some right-to-left locales between two
        // left-to-right marks.
        while (m_at < m_text.size() && m_text[m_at].category() == QChar::Other_Format)
            ++m_at;
    }
    const qsizetype first = m_ascii.size();
    qsizetype digits = 0;
    QVarLengthArray<qsizetype, 8> marks;
    for (;;) {
        if (digit())
            ++digits;
        else if (separator())
            marks.append(m_ascii.size() - 1);
        else
            break;
    }
    if (digits == 0)
        return Error::NotANumber;
    const qsizetype last = m_ascii.size();
    const bool exponent = at(u'e') || at(u'E');
    if (exponent) {
        m_ascii.append('e');
        ++m_at;
        sign();
        qsizetype exponentDigits = 0;
        while (digit())
            ++exponentDigits;
        if (exponentDigits == 0)
            return Error::NotANumber;
    }
    if (m_at != m_text.size())
        return Error::NotANumber;
    if (const Error shape = settle(first, last, marks, exponent); shape != Error::None)
        return shape;
    return m_mixed ? Error::MixedDigits : Error::None;
}

Error Transcript::settle(qsizetype first, qsizetype last, const QVarLengthArray<qsizetype, 8> &marks, bool exponent)
{
    const qsizetype count = marks.size();
    if (count == 0)
        return Error::None;
    // The digits before mark i, after the one before it; i == count: after the last.
    const auto group = [&](qsizetype i) {
        return (i == count ? last : marks[i]) - (i == 0 ? first : marks[i - 1] + 1);
    };
    qsizetype decimals = 0;
    for (const qsizetype mark : marks)
        decimals += m_ascii[mark] == 'D';
    const qsizetype others = count - decimals;
    qsizetype decimalMark = -1; // none: an integer
    qsizetype groupMarks = 0;   // the marks before this one separate groups
    if (count == 1) {
        // The other separator alone between 1 to 3 digits and 3 digits is
        // as well a group separator.
        if (others == 1 && !exponent && group(0) >= 1 && group(0) <= 3 && group(1) == 3)
            return Error::Ambiguous;
        decimalMark = 0;
    } else if (decimals > 0 && others > 0) {
        // The last, once, is the decimal separator; the other kind groups.
        const qsizetype ofLast = m_ascii[marks.back()] == 'D' ? decimals : others;
        if (ofLast != 1)
            return Error::Grouping;
        decimalMark = count - 1;
        groupMarks = count - 1;
    } else {
        groupMarks = count;
    }
    if (groupMarks > 0) {
        // A group without digits is no number; 1 to 3 digits, then 3 each,
        // without an exponent, are groups.
        for (qsizetype i = 0; i <= groupMarks; ++i) {
            if (group(i) == 0)
                return Error::NotANumber;
        }
        if (exponent || group(0) > 3)
            return Error::Grouping;
        for (qsizetype i = 1; i <= groupMarks; ++i) {
            if (group(i) != 3)
                return Error::Grouping;
        }
    }
    // The copy without group separators, the decimal one a point.
    qsizetype to = first;
    for (qsizetype from = first, mark = 0; from < m_ascii.size(); ++from) {
        if (mark < count && from == marks[mark]) {
            if (mark++ == decimalMark)
                m_ascii[to++] = '.';
            continue;
        }
        m_ascii[to++] = m_ascii[from];
    }
    m_ascii.resize(to);
    return Error::None;
}

bool Transcript::sign()
{
    if (!atSign())
        return false;
    if (!at(u'+'))
        m_ascii.append('-');
    ++m_at;
    return true;
}

// A digit of some scripts takes two UTF-16 units.
bool Transcript::digit()
{
    if (m_at >= m_text.size())
        return false;
    char32_t c = m_text[m_at].unicode();
    qsizetype units = 1;
    if (m_text[m_at].isHighSurrogate() && m_at + 1 < m_text.size() && m_text[m_at + 1].isLowSurrogate()) {
        c = QChar::surrogateToUcs4(m_text[m_at], m_text[m_at + 1]);
        units = 2;
    }
    Script of = Script::None;
    const int value = digitOf(c, m_format.zero, &of);
    if (value < 0)
        return false;
    m_mixed = m_mixed || (m_script != Script::None && of != m_script);
    m_script = of;
    m_ascii.append(char('0' + value));
    m_at += units;
    return true;
}

bool Transcript::separator()
{
    if (at(m_format.decimal) || (m_format.otherDecimal != 0 && at(m_format.otherDecimal)))
        m_ascii.append('D');
    else if (at(m_format.other()))
        m_ascii.append('O');
    else
        return false;
    ++m_at;
    return true;
}

// "1234.5", "0.00012": count significant digits, exponent as in 1.2345e3.
void writeFixed(QString &out, const char *digits, int count, int exponent, Format format)
{
    if (exponent >= 0) {
        for (int k = 0; k <= exponent; ++k)
            out += QLatin1Char(k < count ? digits[k] : '0');
        if (count > exponent + 1) {
            out += QChar(format.decimal);
            for (int k = exponent + 1; k < count; ++k)
                out += QLatin1Char(digits[k]);
        }
        return;
    }
    out += u'0';
    out += QChar(format.decimal);
    out += QString(-exponent - 1, u'0');
    for (int k = 0; k < count; ++k)
        out += QLatin1Char(digits[k]);
}

// "1.5E+20", "1E-9"
void writeScientific(QString &out, const char *digits, int count, int exponent, Format format)
{
    out += QLatin1Char(digits[0]);
    if (count > 1) {
        out += QChar(format.decimal);
        for (int k = 1; k < count; ++k)
            out += QLatin1Char(digits[k]);
    }
    out += exponent < 0 ? u"E-" : u"E+";
    out += QString::number(std::abs(exponent));
}

} // namespace

Result parse(QStringView text, Format format)
{
    Transcript transcript(stripped(text), format);
    if (const Error error = transcript.read(); error != Error::None)
        return {0.0, error};
    double value = 0.0;
    const auto [end, ec] = std::from_chars(transcript.begin(), transcript.end(), value);
    if (ec == std::errc::result_out_of_range) {
        if (overflows(transcript.begin(), transcript.end()))
            return {0.0, Error::OutOfRange};
        return {*transcript.begin() == '-' ? -0.0 : 0.0, Error::None};
    }
    if (ec != std::errc() || end != transcript.end())
        return {0.0, Error::NotANumber};
    return {value, Error::None};
}

std::optional<Readings> readings(QStringView text, Format format)
{
    if (parse(text, format).error != Error::Ambiguous)
        return std::nullopt;
    QString asDecimal = text.toString();
    asDecimal.replace(QChar(format.other()), QChar(format.decimal));
    QString asGroups = text.toString();
    asGroups.remove(QChar(format.other()));
    const Result decimal = parse(asDecimal, format);
    const Result grouped = parse(asGroups, format);
    if (!decimal || !grouped)
        return std::nullopt;
    return Readings{decimal.value, grouped.value};
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
    if (exponent >= -8 && exponent < 15)
        writeFixed(out, digits, count, exponent, format);
    else
        writeScientific(out, digits, count, exponent, format);
    return out;
}

} // namespace numtext
