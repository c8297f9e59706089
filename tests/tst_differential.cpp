// SPDX-License-Identifier: GPL-3.0-or-later
// A second computation of the conversions, written apart from the program:
// its own copy of the constants, its own exact decimal expansion of doubles
// (big integers instead of to_chars) and its own rounding and formatting.
// It must agree with the program's texts digit for digit.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include <QTest>

#include "converter.h"

namespace {

// Non-negative big integer, base 1e9, least significant limb first.
struct Big {
    std::vector<uint32_t> limbs{0};
    void times(uint32_t k)
    {
        uint64_t carry = 0;
        for (uint32_t &limb : limbs) {
            const uint64_t v = uint64_t(limb) * k + carry;
            limb = uint32_t(v % 1000000000);
            carry = v / 1000000000;
        }
        while (carry) {
            limbs.push_back(uint32_t(carry % 1000000000));
            carry /= 1000000000;
        }
    }
    std::string digits() const
    {
        std::string s = std::to_string(limbs.back());
        for (auto it = limbs.rbegin() + 1; it != limbs.rend(); ++it) {
            const std::string part = std::to_string(*it);
            s += std::string(9 - part.size(), '0') + part;
        }
        return s;
    }
};

// |x| = digits * 10^-scale, exactly.
struct Decimal {
    bool negative = false;
    std::string digits;
    int scale = 0;
};

Decimal exactly(double x)
{
    Decimal d;
    d.negative = std::signbit(x);
    int exponent = 0;
    const double fraction = std::frexp(std::fabs(x), &exponent);
    uint64_t mantissa = uint64_t(std::ldexp(fraction, 53));
    exponent -= 53;
    Big big;
    big.limbs = {uint32_t(mantissa % 1000000000), uint32_t(mantissa / 1000000000 % 1000000000),
                 uint32_t(mantissa / 1000000000 / 1000000000)};
    while (big.limbs.size() > 1 && big.limbs.back() == 0)
        big.limbs.pop_back();
    for (; exponent > 0; --exponent)
        big.times(2);
    for (; exponent < 0; ++exponent) {
        big.times(5); // m / 2^k = m * 5^k / 10^k
        ++d.scale;
    }
    d.digits = big.digits();
    return d;
}

// Keeps `keep` leading digits of a digit string, rounding half to even.
std::string roundDigits(const std::string &digits, std::size_t keep)
{
    if (digits.size() <= keep)
        return digits;
    std::string kept = digits.substr(0, keep);
    const std::string rest = digits.substr(keep);
    std::string half(rest.size(), '0');
    half.front() = '5';
    const bool up = rest > half || (rest == half && !kept.empty() && (kept.back() - '0') % 2 == 1);
    if (up) {
        int i = int(kept.size()) - 1;
        for (; i >= 0 && kept[i] == '9'; --i)
            kept[i] = '0';
        if (i < 0)
            kept.insert(kept.begin(), '1');
        else
            ++kept[i];
    }
    return kept;
}

// The double nearest to the multiple of 1e-8 nearest to x.
double roundToEight(double x)
{
    Decimal d = exactly(x);
    if (d.scale <= 8)
        return x;
    const std::size_t drop = std::size_t(d.scale - 8);
    // At least one digit before the point, and room for a carry.
    std::string digits = d.digits;
    digits.insert(0, std::size_t(d.scale) + 2 - std::min(digits.size(), std::size_t(d.scale) + 1), '0');
    std::string kept = roundDigits(digits, digits.size() - drop);
    std::string text = kept;
    text.insert(text.size() - 8, 1, '.');
    return (d.negative ? -1 : 1) * std::strtod(text.c_str(), nullptr);
}

// 15 significant digits, no trailing zeros, fixed from 1e-8 to below 1e15.
QString render(double x)
{
    if (x == 0)
        return "0";
    const Decimal d = exactly(x);
    const std::size_t first = d.digits.find_first_not_of('0');
    std::string significant = d.digits.substr(first);
    int exponent = int(significant.size()) - 1 - d.scale; // of the first significant digit
    std::string digits = roundDigits(significant, 15);
    if (digits.size() == 16) { // a carry: 9.99...9 became 10.0...0
        digits.pop_back();
        ++exponent;
    }
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    std::string out = d.negative ? "-" : "";
    if (exponent >= -8 && exponent < 15) {
        if (exponent >= 0) {
            std::string whole = digits.substr(0, std::min<std::size_t>(digits.size(), exponent + 1));
            whole += std::string(exponent + 1 - whole.size(), '0');
            out += whole;
            if (digits.size() > std::size_t(exponent + 1))
                out.append(1, '.').append(digits, exponent + 1);
        } else {
            out.append("0.").append(-exponent - 1, '0').append(digits);
        }
    } else {
        out += digits.substr(0, 1);
        if (digits.size() > 1)
            out.append(1, '.').append(digits, 1);
        out.append(exponent < 0 ? "E-" : "E+").append(std::to_string(std::abs(exponent)));
    }
    return QString::fromStdString(out);
}

struct Row {
    const char *unit;
    char entry; // '=' the text itself, '*' multiply, '/' divide
    double constant;
    double factor;
};

const Row lengthRows[] = {
    {"cm", '=', 1, 1},
    {"m", '*', 100, 0.01},
    {"km", '*', 100000, 0.00001},
    {"in", '/', 0.3937007874, 0.3937007874},
    {"ft", '/', 0.03280839895, 0.03280839895},
    {"yd", '/', 0.01093613298, 0.01093613298},
    {"mi", '/', 0.0000062137119, 0.0000062137119},
    {"nmi", '/', 0.000005399568034, 0.000005399568034},
};

const Row massRows[] = {
    {"g", '/', 1000, 1000},
    {"ct", '/', 5000, 5000},
    {"kg", '=', 1, 1},
    {"t", '*', 1000, 0.001},
    {"gr", '/', 15432.35808, 15432.35808},
    {"dr", '/', 564.383488, 564.383488},
    {"oz", '/', 35.273968, 35.273968},
    {"lb", '/', 2.204623, 2.204623},
    {"tn", '/', 0.001102311, 0.001102311},
    {"l.tn", '/', 0.000984206, 0.000984206},
    {"gr t", '/', 15432.35808, 15432.35808},
    {"pwt", '/', 643.01492, 643.01492},
    {"oz t", '/', 32.150746, 32.150746},
    {"lb t", '/', 2.67922883333, 2.67922883333},
};

QStringList values()
{
    QStringList list{"1", "0.5", "2.54", "12", "100", "0.001", "123456.789", "0.00001", "99999999.99999999",
                     "0.000000025", "10000000000", "-7.25", "3.14159265358979", "0.1", "1852", "453.59237"};
    uint64_t state = 20261208;
    for (int i = 0; i < 6; ++i) {
        state = state * 6364136223846793005u + 1442695040888963407u;
        const double mantissa = double(state >> 11) / double(1ull << 53);
        list << QString::number(mantissa * std::pow(10.0, int(state % 13) - 5), 'g', 17);
    }
    return list;
}

} // namespace

class TestDifferential final : public QObject
{
    Q_OBJECT

private slots:
    void groups_data();
    void groups();
    void temperatures_data();
    void temperatures();
};

void TestDifferential::groups_data()
{
    QTest::addColumn<int>("group");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("value");
    for (int group = 0; group < 2; ++group) {
        const int rows = group == 0 ? 8 : 14;
        for (int row = 0; row < rows; ++row) {
            const char *unit = (group == 0 ? lengthRows : massRows)[row].unit;
            for (const QString &value : values())
                QTest::addRow("%s %s", qPrintable(value), unit) << group << row << value;
        }
    }
}

void TestDifferential::groups()
{
    QFETCH(int, group);
    QFETCH(int, row);
    QFETCH(QString, value);
    const numtext::Format format{u'.'};
    const bool length = group == 0;
    const Row *rows = length ? lengthRows : massRows;
    const std::size_t count = length ? 8 : 14;

    // The program.
    const convert::Unit &unit = length ? convert::lengths[row] : convert::masses[row];
    const auto lengthFactors = convert::factorsOf(convert::lengths);
    const auto massFactors = convert::factorsOf(convert::masses);
    const std::span<const double> factors = length ? std::span<const double>(lengthFactors) : massFactors;
    const convert::Figures program = convert::figures(unit, factors, value, format);
    QVERIFY(program);
    QCOMPARE(std::size_t(program.value.size()), count);

    // The second computation.
    const double typed = std::strtod(value.toLatin1().constData(), nullptr);
    const Row &r = rows[row];
    const double inBase = r.entry == '=' ? typed : r.entry == '*' ? typed * r.constant : typed / r.constant;
    for (std::size_t i = 0; i < count; ++i) {
        const QString unitName = " " + QString::fromLatin1(rows[i].unit);
        const convert::Figure &figure = program.value[qsizetype(i)];
        const QString shown = render(roundToEight(rows[i].factor * inBase));
        QCOMPARE(figure.text + unitName, shown + unitName);
        // The value behind the figure, where rounding changed what it shows.
        const QString unrounded = render(rows[i].factor * inBase);
        QCOMPARE(figure.unrounded + unitName, (unrounded == shown ? QString() : unrounded) + unitName);
    }
}

void TestDifferential::temperatures_data()
{
    QTest::addColumn<QString>("value");
    for (const QString &value : values() + QStringList{"-40", "-273.15", "36.6", "32.18", "1e-20", "1e300"})
        QTest::newRow(qPrintable(value)) << value;
}

void TestDifferential::temperatures()
{
    QFETCH(QString, value);
    const numtext::Format format{u'.'};
    const double v = std::strtod(value.toLatin1().constData(), nullptr);
    const numtext::Result f = convert::celsiusToFahrenheit(value, format);
    const numtext::Result c = convert::fahrenheitToCelsius(value, format);
    QVERIFY(f && c);
    QCOMPARE(numtext::render(f.value, format), render(v * 9 / 5 + 32));
    QCOMPARE(numtext::render(c.value, format), render((v - 32) * 5 / 9));
}

QTEST_GUILESS_MAIN(TestDifferential)
#include "tst_differential.moc"
