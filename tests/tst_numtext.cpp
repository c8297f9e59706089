// SPDX-License-Identifier: GPL-3.0-or-later
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <random>

#include <QLocale>
#include <QTest>

#include "localised.h"
#include "numtext.h"

using namespace Qt::StringLiterals;
using numtext::Error;
using numtext::Format;

Q_DECLARE_METATYPE(numtext::Format)
Q_DECLARE_METATYPE(numtext::Error)

namespace {

// The shortest text that reads back as exactly this double, so that a
// comparison is exact and a failure shows every digit.
QString exact(double x)
{
    char buffer[40];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, x).ptr;
    return QString::fromLatin1(buffer, end - buffer);
}

// Parsing and rendering run in both: rows are written for a point.
const std::array formats{std::pair{"point", Format{u'.'}}, std::pair{"comma", Format{u','}}};

// A row in one of them.
QTestData &row(const char *tag, const std::pair<const char *, Format> &in)
{
    return QTest::addRow("%s, %s", tag, in.first) << in.second;
}

} // namespace

class TestNumText final : public QObject
{
    Q_OBJECT

private slots:

    void formatFromLocale_data();
    void formatFromLocale();
    void readsEveryLocalesDigits_data();
    void readsEveryLocalesDigits();
    void parsesNumbers_data();
    void parsesNumbers();
    void rejectsText_data();
    void rejectsText();
    void roundsToEightPlaces_data();
    void roundsToEightPlaces();
    void roundingStaysWithinHalfAStep();
    void renders_data();
    void renders();
    void renderedTextParsesBack_data();
    void renderedTextParsesBack();
};

void TestNumText::formatFromLocale_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QChar>("decimal");
    QTest::addColumn<QChar>("otherDecimal");
    QTest::addColumn<uint>("zero");
    QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany) << QChar(u',') << QChar() << uint(U'0');
    QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << QChar(u'.') << QChar() << uint(U'0');
    QTest::newRow("C") << QLocale::c() << QChar(u'.') << QChar() << uint(U'0');
    QTest::newRow("ar_EG") << QLocale(QLocale::Arabic, QLocale::Egypt) << QChar(u'.') << QChar(u'\u066B') << uint(U'\u0660');
    QTest::newRow("fa_IR") << QLocale(QLocale::Persian, QLocale::Iran) << QChar(u'.') << QChar(u'\u066B') << uint(U'\u06F0');
    QTest::newRow("bn_BD") << QLocale(QLocale::Bengali, QLocale::Bangladesh) << QChar(u'.') << QChar() << uint(U'\u09E6');
}

void TestNumText::formatFromLocale()
{
    QFETCH(QLocale, locale);
    QFETCH(QChar, decimal);
    QFETCH(QChar, otherDecimal);
    QFETCH(uint, zero);
    const Format format = Format::fromLocale(locale);
    QCOMPARE(QChar(format.decimal), decimal);
    QCOMPARE(QChar(format.otherDecimal), otherDecimal);
    QCOMPARE(uint(format.zero), zero);
}

void TestNumText::readsEveryLocalesDigits_data()
{
    QTest::addColumn<QLocale>("locale");
    const auto all = QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
    for (const QLocale &locale : all) {
        QTest::addRow("%s-%s-%s", qPrintable(QLocale::languageToCode(locale.language())),
                      qPrintable(QLocale::scriptToCode(locale.script())),
                      qPrintable(QLocale::territoryToCode(locale.territory())))
            << locale;
    }
}

// A number as Qt writes it in the locale (its digits, separator and minus
// sign), and in ASCII digits with either separator, reads as the same value;
// one that mixes the locale's digits with ASCII ones is refused as such; and
// what the program writes reads back.
void TestNumText::readsEveryLocalesDigits()
{
    QFETCH(QLocale, locale);
    const Format format = Format::fromLocale(locale);
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    const double value = -1234.5;
    QStringList texts{locale.toString(value, 'f', 1), u"-1234"_s + QChar(format.decimal) + u"5"_s};
    if (format.otherDecimal != 0)
        texts << u"-1234"_s + QChar(format.otherDecimal) + u"5"_s;
    for (const QString &text : texts) {
        const numtext::Result read = numtext::parse(text, format);
        QCOMPARE(read.error, Error::None);
        QCOMPARE(read.value, value);
    }
    if (format.zero != U'0')
        QCOMPARE(numtext::parse(u"1"_s + locale.toString(2), format).error, Error::MixedDigits);
    for (const double written : {value, 1.0 / 3, 1.5e-9, 6.02214076e23}) {
        const numtext::Result back = numtext::parse(numtext::render(written, format), format);
        QCOMPARE(back.error, Error::None);
        QCOMPARE(numtext::render(back.value, format), numtext::render(written, format));
    }
}

void TestNumText::parsesNumbers_data()
{
    QTest::addColumn<Format>("format");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    for (const auto &in : formats) {
        row("whole", in) << "1" << 1.0;
        row("fraction", in) << "-1.5" << -1.5;
        row("plus", in) << "+2" << 2.0;
        row("blanks around", in) << " 1.5\t " << 1.5;
        row("leading zeros", in) << "00012" << 12.0;
        row("no integer digits", in) << ".5" << 0.5;
        row("no fraction digits", in) << "5." << 5.0;
        row("exponent", in) << "1e5" << 1e5;
        row("exponent capital signed", in) << "1.5E-3" << 0.0015;
        row("exponent plus", in) << "2.5e+2" << 250.0;
        row("nearest double", in) << "0.1" << 0.1;
        row("largest double", in) << "1.7976931348623157e308" << std::numeric_limits<double>::max();
        row("smallest subnormal", in) << "4.9e-324" << std::numeric_limits<double>::denorm_min();
        row("underflow is zero", in) << "1e-400" << 0.0;
        row("underflow long fraction", in) << "0.00001e-320" << 0.0;
        row("huge exponent digits", in) << "1e0000000000000000000000002" << 100.0;
        row("many digits", in) << "3.14159265358979323846264338327950288" << 3.141592653589793;
        row("negative zero", in) << "-0" << -0.0;
        row("typeset minus", in) << QStringView(u"\u22122.5").toString() << -2.5;
        row("typeset minus in exponent", in) << QStringView(u"1e\u22122").toString() << 0.01;
        row("no-break spaces around", in) << QStringView(u"\u00A012\u00A0").toString() << 12.0;
        row("bidi marks around", in) << QStringView(u"\u200F\u202A12\u202C\u200E").toString() << 12.0;
        row("byte order mark", in) << QStringView(u"\uFEFF3").toString() << 3.0;
        row("long run of zeros", in) << QString(100000, u'0') + "1" << 1.0;
        // Written in the other locale, or with groups: where only one number is meant.
        row("other separator", in) << "1,5" << 1.5;
        row("other separator, leading zero", in) << "0,25" << 0.25;
        row("other separator, five places", in) << "3,14159" << 3.14159;
        row("other separator, five digits before", in) << "12345,678" << 12345.678;
        row("other separator, two places", in) << "1,50" << 1.5;
        row("other separator, exponent", in) << "1,500E3" << 1500.0;
        row("other separator first", in) << ",5" << 0.5;
        row("groups, then the decimal separator", in) << "1,234.5" << 1234.5;
        row("groups the other way", in) << "1.234,5" << 1234.5;
        row("groups, signed", in) << "-1,234,567.25" << -1234567.25;
        row("groups, no places", in) << "1,234." << 1234.0;
        row("groups of an integer", in) << "1,234,567" << 1234567.0;
        row("own separator grouping an integer", in) << "1.234.567" << 1234567.0;
    }
}

void TestNumText::parsesNumbers()
{
    QFETCH(Format, format);
    QFETCH(QString, text);
    QFETCH(double, value);
    const numtext::Result result = numtext::parse(localised(text, QChar(format.decimal)), format);
    QCOMPARE(result.error, Error::None);
    QCOMPARE(exact(result.value), exact(value));
}

void TestNumText::rejectsText_data()
{
    QTest::addColumn<Format>("format");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Error>("error");
    for (const auto &in : formats) {
        const Error nan = Error::NotANumber;
        row("empty", in) << "" << nan;
        row("one blank", in) << " " << nan;
        row("blanks", in) << " \t  " << nan;
        row("letters", in) << "abc" << nan;
        row("number then letters", in) << "1.5kg" << nan;
        row("inf", in) << "inf" << nan;
        row("minus inf", in) << "-inf" << nan;
        row("infinity", in) << "infinity" << nan;
        row("nan", in) << "nan" << nan;
        row("hex", in) << "0x10" << nan;
        row("hex float", in) << "0x1p3" << nan;
        row("lone plus", in) << "+" << nan;
        row("lone minus", in) << "-" << nan;
        row("two signs", in) << "--1" << nan;
        row("lone separator", in) << "." << nan;
        row("exponent without digits", in) << "1e" << nan;
        row("exponent sign only", in) << "1e+" << nan;
        row("exponent alone", in) << "e5" << nan;
        row("fractional exponent", in) << "1e5.5" << nan;
        row("two separators", in) << "1.2.3" << Error::Grouping;
        row("one group of three: 1.5 or 1500", in) << "1,500" << Error::Ambiguous;
        row("one group of three, signed", in) << "-999,999" << Error::Ambiguous;
        row("one group of three after one digit", in) << "0,001" << Error::Ambiguous;
        row("groups of two", in) << "1,23,456" << Error::Grouping;
        row("first group of four", in) << "1234,567.8" << Error::Grouping;
        row("decimal separator twice after groups", in) << "1.234,5,6" << Error::Grouping;
        row("groups with an exponent", in) << "1,234.5e3" << Error::Grouping;
        row("integer groups with an exponent", in) << "1,234,567e3" << Error::Grouping;
        row("empty group", in) << "1,,234" << nan;
        row("separator alone", in) << "," << nan;
        row("inner blank", in) << "1 000" << nan;
        row("arabic-indic digit", in) << QStringView(u"\u0661").toString() << nan;
        row("full-width digit", in) << QStringView(u"\uFF11").toString() << nan;
        row("no-break space inside", in) << QStringView(u"1\u00A0000").toString() << nan;
        row("bidi mark inside", in) << QStringView(u"1\u200E2").toString() << nan;
        row("nul", in) << QString::fromUtf16(u"1\0", 2) << nan;
        row("control character", in) << "1\x01" << nan;
        row("line break inside", in) << "1\n2" << nan;
        row("minus twice", in) << QStringView(u"\u2212-1").toString() << nan;
        row("en dash is no minus", in) << QStringView(u"\u20131").toString() << nan;
        row("beyond range", in) << "1e400" << Error::OutOfRange;
        row("beyond range negative", in) << "-1.8e308" << Error::OutOfRange;
        row("beyond range by exponent digits", in) << "1e99999999999999999999" << Error::OutOfRange;
        row("beyond range by digits", in) << QString(400, u'9') << Error::OutOfRange;
    }
}

void TestNumText::rejectsText()
{
    QFETCH(Format, format);
    QFETCH(QString, text);
    QFETCH(Error, error);
    QCOMPARE(numtext::parse(localised(text, QChar(format.decimal)), format).error, error);
}

void TestNumText::roundsToEightPlaces_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("rounded");
    QTest::newRow("already short") << 2.54 << 2.54;
    QTest::newRow("up") << 0.123456789 << 0.12345679;
    QTest::newRow("down") << 0.083333333 << 0.08333333;
    QTest::newRow("negative") << -1.0936132983 << -1.0936133;
    // Each of these doubles lies just below the halfway point its literal names.
    QTest::newRow("below half 2.5e-8") << 0.000000025 << 0.00000002;
    QTest::newRow("below half 0.123456785") << 0.123456785 << 0.12345678;
    QTest::newRow("below half 1.000000005") << 1.000000005 << 1.0;
    QTest::newRow("exact tie to even") << 0.001953125 << 0.00195312;
    QTest::newRow("vanishes") << 0.0000000049 << 0.0;
    QTest::newRow("vanishes negative") << -0.0000000049 << -0.0;
    QTest::newRow("tiny") << 1e-300 << 0.0;
    QTest::newRow("subnormal") << std::numeric_limits<double>::denorm_min() << 0.0;
    QTest::newRow("large with fraction") << 123456789.123456789 << 123456789.12345679;
    QTest::newRow("no digits beyond") << 4503599627370496.0 << 4503599627370496.0;
    QTest::newRow("near 1e301") << 1e301 << 1e301;
    QTest::newRow("largest") << std::numeric_limits<double>::max() << std::numeric_limits<double>::max();
}

void TestNumText::roundsToEightPlaces()
{
    QFETCH(double, value);
    QFETCH(double, rounded);
    QCOMPARE(exact(numtext::roundToPlaces(value, 8)), exact(rounded));
}

void TestNumText::roundingStaysWithinHalfAStep()
{
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<double> exponent(-12, 16);
    for (int i = 0; i < 20000; ++i) {
        const double x = std::pow(10.0, exponent(random)) * (random() % 2 ? 1 : -1);
        const double r = numtext::roundToPlaces(x, 8);
        const double ulp = std::nextafter(std::fabs(x), INFINITY) - std::fabs(x);
        QVERIFY2(std::fabs(r - x) <= 0.5e-8 + ulp, qPrintable(exact(x)));
        // The result is a multiple of 1e-8 to within its own spacing.
        const double steps = r * 1e8;
        const double spacing = std::nextafter(std::fabs(r), INFINITY) - std::fabs(r);
        QVERIFY2(std::fabs(steps - std::round(steps)) <= 1e8 * spacing + 1e-6, qPrintable(exact(x)));
    }
}

void TestNumText::renders_data()
{
    QTest::addColumn<Format>("format");
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    for (const auto &in : formats) {
        row("whole", in) << 2.0 << "2";
        row("hundred", in) << 100.0 << "100";
        row("no grouping", in) << 1234567.5 << "1234567.5";
        row("one third", in) << 1.0 / 3 << "0.333333333333333";
        row("fifteen digits", in) << 37.77777777777778 << "37.7777777777778";
        row("just above", in) << 36.6 * 9 / 5 + 32 << "97.88";
        row("negative", in) << -459.67 << "-459.67";
        row("small fixed", in) << 0.0000002 << "0.0000002";
        row("smallest fixed", in) << 0.00000001 << "0.00000001";
        row("rounds up to fixed", in) << 9.9999999999999999e-9 << "0.00000001";
        row("below fixed", in) << 1.5e-9 << "1.5E-9";
        row("subnormal", in) << std::numeric_limits<double>::denorm_min() << "4.94065645841247E-324";
        row("largest fixed", in) << 999999999999999.0 << "999999999999999";
        row("rounds to 1e15", in) << 999999999999999.9 << "1E+15";
        row("1e15", in) << 1e15 << "1E+15";
        row("large", in) << 1.5e20 << "1.5E+20";
        row("largest", in) << std::numeric_limits<double>::max() << "1.79769313486231E+308";
        row("near largest", in) << 1.797693134862315e308 << "1.79769313486231E+308";
        row("below the cut", in) << 1.79769313486231e308 << "1.79769313486231E+308";
        row("largest order, small", in) << 1.2e308 << "1.2E+308";
        row("fifteen digits before point", in) << 123456789012345.67 << "123456789012346";
        row("eight places kept", in) << 185200.00001911 << "185200.00001911";
        row("zero", in) << 0.0 << "0";
        row("never minus zero", in) << -0.0 << "0";
    }
}

void TestNumText::renders()
{
    QFETCH(Format, format);
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(numtext::render(value, format), localised(text, QChar(format.decimal)));
}

void TestNumText::renderedTextParsesBack_data()
{
    QTest::addColumn<Format>("format");
    QTest::addColumn<double>("value");
    for (const auto &in : formats) {
        row("largest", in) << std::numeric_limits<double>::max();
        row("smallest", in) << std::numeric_limits<double>::denorm_min();
        std::mt19937_64 random(42);
        std::uniform_real_distribution<double> exponent(-330, 308);
        for (int i = 0; i < 500; ++i) {
            const double x = std::pow(10.0, exponent(random)) * (i % 2 ? -1 : 1);
            row(qPrintable(QStringLiteral("random %1").arg(i)), in) << x;
            row(qPrintable(QStringLiteral("rounded %1").arg(i)), in) << numtext::roundToPlaces(x, 8);
        }
    }
}

void TestNumText::renderedTextParsesBack()
{
    QFETCH(Format, format);
    QFETCH(double, value);
    const QString text = numtext::render(value, format);
    const numtext::Result parsed = numtext::parse(text, format);
    QCOMPARE(parsed.error, Error::None);
    QCOMPARE(numtext::render(parsed.value, format), text);
}

QTEST_APPLESS_MAIN(TestNumText)
#include "tst_numtext.moc"
