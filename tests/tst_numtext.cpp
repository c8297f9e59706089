// SPDX-License-Identifier: GPL-3.0-or-later
#include <charconv>
#include <cmath>
#include <limits>
#include <random>

#include <QLocale>
#include <QTest>

#include "numtext.h"

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

// Rows are written for a point locale; in a comma locale point and comma swap
// roles, so "1,5" stays the foreign separator in both.
QString localised(QString text, Format format)
{
    if (format.decimal == u',') {
        for (QChar &c : text) {
            if (c == u'.')
                c = u',';
            else if (c == u',')
                c = u'.';
        }
    }
    return text;
}

} // namespace

class TestNumText final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase_data();

    void formatFromLocale_data();
    void formatFromLocale();
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

void TestNumText::initTestCase_data()
{
    QTest::addColumn<Format>("format");
    QTest::newRow("point") << Format{u'.'};
    QTest::newRow("comma") << Format{u','};
}

void TestNumText::formatFromLocale_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QChar>("decimal");
    QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany) << QChar(u',');
    QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates) << QChar(u'.');
    QTest::newRow("C") << QLocale::c() << QChar(u'.');
}

void TestNumText::formatFromLocale()
{
    QFETCH(QLocale, locale);
    QFETCH(QChar, decimal);
    QCOMPARE(QChar(Format::fromLocale(locale).decimal), decimal);
}

void TestNumText::parsesNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("whole") << "1" << 1.0;
    QTest::newRow("fraction") << "-1.5" << -1.5;
    QTest::newRow("plus") << "+2" << 2.0;
    QTest::newRow("blanks around") << " 1.5\t " << 1.5;
    QTest::newRow("leading zeros") << "00012" << 12.0;
    QTest::newRow("no integer digits") << ".5" << 0.5;
    QTest::newRow("no fraction digits") << "5." << 5.0;
    QTest::newRow("exponent") << "1e5" << 1e5;
    QTest::newRow("exponent capital signed") << "1.5E-3" << 0.0015;
    QTest::newRow("exponent plus") << "2.5e+2" << 250.0;
    QTest::newRow("nearest double") << "0.1" << 0.1;
    QTest::newRow("largest double") << "1.7976931348623157e308" << std::numeric_limits<double>::max();
    QTest::newRow("smallest subnormal") << "4.9e-324" << std::numeric_limits<double>::denorm_min();
    QTest::newRow("underflow is zero") << "1e-400" << 0.0;
    QTest::newRow("underflow long fraction") << "0.00001e-320" << 0.0;
    QTest::newRow("huge exponent digits") << "1e0000000000000000000000002" << 100.0;
    QTest::newRow("many digits") << "3.14159265358979323846264338327950288" << 3.141592653589793;
    QTest::newRow("negative zero") << "-0" << -0.0;
    QTest::newRow("typeset minus") << QStringView(u"\u22122.5").toString() << -2.5;
    QTest::newRow("typeset minus in exponent") << QStringView(u"1e\u22122").toString() << 0.01;
    QTest::newRow("no-break spaces around") << QStringView(u"\u00A012\u00A0").toString() << 12.0;
    QTest::newRow("bidi marks around") << QStringView(u"\u200F\u202A12\u202C\u200E").toString() << 12.0;
    QTest::newRow("byte order mark") << QStringView(u"\uFEFF3").toString() << 3.0;
    QTest::newRow("long run of zeros") << QString(100000, u'0') + "1" << 1.0;
}

void TestNumText::parsesNumbers()
{
    QFETCH_GLOBAL(Format, format);
    QFETCH(QString, text);
    QFETCH(double, value);
    const numtext::Result result = numtext::parse(localised(text, format), format);
    QCOMPARE(result.error, Error::None);
    QCOMPARE(exact(result.value), exact(value));
}

void TestNumText::rejectsText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Error>("error");
    const Error nan = Error::NotANumber;
    QTest::newRow("empty") << "" << nan;
    QTest::newRow("one blank") << " " << nan;
    QTest::newRow("blanks") << " \t  " << nan;
    QTest::newRow("letters") << "abc" << nan;
    QTest::newRow("number then letters") << "1.5kg" << nan;
    QTest::newRow("inf") << "inf" << nan;
    QTest::newRow("minus inf") << "-inf" << nan;
    QTest::newRow("infinity") << "infinity" << nan;
    QTest::newRow("nan") << "nan" << nan;
    QTest::newRow("hex") << "0x10" << nan;
    QTest::newRow("hex float") << "0x1p3" << nan;
    QTest::newRow("lone plus") << "+" << nan;
    QTest::newRow("lone minus") << "-" << nan;
    QTest::newRow("two signs") << "--1" << nan;
    QTest::newRow("lone separator") << "." << nan;
    QTest::newRow("exponent without digits") << "1e" << nan;
    QTest::newRow("exponent sign only") << "1e+" << nan;
    QTest::newRow("exponent alone") << "e5" << nan;
    QTest::newRow("fractional exponent") << "1e5.5" << nan;
    QTest::newRow("two separators") << "1.2.3" << nan;
    QTest::newRow("foreign separator") << "1,5" << nan;
    QTest::newRow("group separator") << "1,000" << nan;
    QTest::newRow("group and decimal") << "1,234.5" << nan;
    QTest::newRow("inner blank") << "1 000" << nan;
    QTest::newRow("arabic-indic digit") << QStringView(u"\u0661").toString() << nan;
    QTest::newRow("full-width digit") << QStringView(u"\uFF11").toString() << nan;
    QTest::newRow("no-break space inside") << QStringView(u"1\u00A0000").toString() << nan;
    QTest::newRow("bidi mark inside") << QStringView(u"1\u200E2").toString() << nan;
    QTest::newRow("nul") << QString::fromUtf16(u"1\0", 2) << nan;
    QTest::newRow("control character") << "1\x01" << nan;
    QTest::newRow("line break inside") << "1\n2" << nan;
    QTest::newRow("minus twice") << QStringView(u"\u2212-1").toString() << nan;
    QTest::newRow("en dash is no minus") << QStringView(u"\u20131").toString() << nan;
    QTest::newRow("beyond range") << "1e400" << Error::OutOfRange;
    QTest::newRow("beyond range negative") << "-1.8e308" << Error::OutOfRange;
    QTest::newRow("beyond range by exponent digits") << "1e99999999999999999999" << Error::OutOfRange;
    QTest::newRow("beyond range by digits") << QString(400, u'9') << Error::OutOfRange;
}

void TestNumText::rejectsText()
{
    QFETCH_GLOBAL(Format, format);
    QFETCH(QString, text);
    QFETCH(Error, error);
    QCOMPARE(numtext::parse(localised(text, format), format).error, error);
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
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole") << 2.0 << "2";
    QTest::newRow("hundred") << 100.0 << "100";
    QTest::newRow("no grouping") << 1234567.5 << "1234567.5";
    QTest::newRow("one third") << 1.0 / 3 << "0.333333333333333";
    QTest::newRow("fifteen digits") << 37.77777777777778 << "37.7777777777778";
    QTest::newRow("just above") << 36.6 * 9 / 5 + 32 << "97.88";
    QTest::newRow("negative") << -459.67 << "-459.67";
    QTest::newRow("small fixed") << 0.0000002 << "0.0000002";
    QTest::newRow("smallest fixed") << 0.00000001 << "0.00000001";
    QTest::newRow("rounds up to fixed") << 9.9999999999999999e-9 << "0.00000001";
    QTest::newRow("below fixed") << 1.5e-9 << "1.5E-9";
    QTest::newRow("subnormal") << std::numeric_limits<double>::denorm_min() << "4.94065645841247E-324";
    QTest::newRow("largest fixed") << 999999999999999.0 << "999999999999999";
    QTest::newRow("rounds to 1e15") << 999999999999999.9 << "1E+15";
    QTest::newRow("1e15") << 1e15 << "1E+15";
    QTest::newRow("large") << 1.5e20 << "1.5E+20";
    QTest::newRow("largest") << std::numeric_limits<double>::max() << "1.79769313486231E+308";
    QTest::newRow("near largest") << 1.797693134862315e308 << "1.79769313486231E+308";
    QTest::newRow("below the cut") << 1.79769313486231e308 << "1.79769313486231E+308";
    QTest::newRow("largest order, small") << 1.2e308 << "1.2E+308";
    QTest::newRow("fifteen digits before point") << 123456789012345.67 << "123456789012346";
    QTest::newRow("eight places kept") << 185200.00001911 << "185200.00001911";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("never minus zero") << -0.0 << "0";
}

void TestNumText::renders()
{
    QFETCH_GLOBAL(Format, format);
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(numtext::render(value, format), localised(text, format));
}

void TestNumText::renderedTextParsesBack_data()
{
    QTest::addColumn<double>("value");
    QTest::newRow("largest") << std::numeric_limits<double>::max();
    QTest::newRow("smallest") << std::numeric_limits<double>::denorm_min();
    std::mt19937_64 random(42);
    std::uniform_real_distribution<double> exponent(-330, 308);
    for (int i = 0; i < 500; ++i) {
        const double x = std::pow(10.0, exponent(random)) * (i % 2 ? -1 : 1);
        QTest::addRow("random %d", i) << x;
        QTest::addRow("rounded %d", i) << numtext::roundToPlaces(x, 8);
    }
}

void TestNumText::renderedTextParsesBack()
{
    QFETCH_GLOBAL(Format, format);
    QFETCH(double, value);
    const QString text = numtext::render(value, format);
    const numtext::Result parsed = numtext::parse(text, format);
    QCOMPARE(parsed.error, Error::None);
    QCOMPARE(numtext::render(parsed.value, format), text);
}

QTEST_APPLESS_MAIN(TestNumText)
#include "tst_numtext.moc"
