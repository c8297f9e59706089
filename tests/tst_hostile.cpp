// SPDX-License-Identifier: GPL-3.0-or-later
// Pasted text from anywhere: each either converts correctly or leaves the
// whole group as it was with its note, and the window keeps answering.
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "shownwindow.h"

class TestHostile final : public QObject
{
    Q_OBJECT

private slots:
    void pastedText_data();
    void pastedText();
};

void TestHostile::pastedText_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("centimetres"); // empty: the text must be refused
    const QString megabyte(1 << 20, u'0');
    QTest::newRow("1 MB of zeros before a 1") << megabyte + "1" << "100";
    QTest::newRow("1 MB of digits") << QString(1 << 20, u'7') << "";
    QTest::newRow("1 MB of blanks around a 2") << QString(1 << 19, u' ') + "2" + QString(1 << 19, u' ') << "200";
    QTest::newRow("1 MB of letters") << QString(1 << 20, u'x') << "";
    QTest::newRow("nul") << QString::fromUtf16(u"1\0" "5", 3) << "";
    QTest::newRow("control characters") << "1\x01\x02" << "";
    QTest::newRow("tab around") << "\t4\t" << "400";
    QTest::newRow("bidi marks around") << QStringView(u"\u200F12\u200E").toString() << "1200";
    QTest::newRow("bidi override inside") << QStringView(u"1\u202E2").toString() << "";
    QTest::newRow("arabic-indic digits") << QStringView(u"\u0661\u0662").toString() << "";
    QTest::newRow("full-width digits") << QStringView(u"\uFF11\uFF12").toString() << "";
    QTest::newRow("typeset minus") << QStringView(u"\u22125").toString() << "-500";
    QTest::newRow("no-break spaces around") << QStringView(u"\u00A03\u00A0").toString() << "300";
    QTest::newRow("no-break space as group separator") << QStringView(u"1\u00A0000").toString() << "";
    QTest::newRow("narrow no-break space as group separator") << QStringView(u"1\u202F000").toString() << "";
    QTest::newRow("zero-width space inside") << QStringView(u"1\u200B0").toString() << "";
    QTest::newRow("emoji") << QStringView(u"\U0001F4A91").toString() << "";
}

void TestHostile::pastedText()
{
    QFETCH(QString, pasted);
    QFETCH(QString, centimetres);
    ShownCalculator w;
    w.paste("Text3", "7");
    QTest::keyClick(w.field("Text3"), Qt::Key_Tab);
    QCOMPARE(w.field("Text10")->text(), QString("700"));
    QStringList before = w.texts(lengthFields);

    w.paste("Text3", pasted);
    // Nothing is cut short or dropped on the way into the field.
    QCOMPARE(w.field("Text3")->text(), pasted);
    QTest::keyClick(w.field("Text3"), Qt::Key_Tab);
    if (centimetres.isEmpty()) {
        before[1] = pasted;
        QVERIFY(w.texts(lengthFields) == before);
        QVERIFY(w.refused("Text3"));
    } else {
        QCOMPARE(w.field("Text10")->text(), centimetres);
        QVERIFY(!w.refused("Text3"));
    }
    QVERIFY(w.calculator.isVisible());
}

QTEST_MAIN(TestHostile)
#include "tst_hostile.moc"
