// SPDX-License-Identifier: GPL-3.0-or-later
// What one leave of a mass field costs: the numbers alone (parse, convert,
// round and render fourteen values, and the unrounded ones) and the whole
// handler with its fourteen text writes, repaint excluded; how many repaints
// it causes; and the leave of a field holding 1 MB.
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>

#include "calculator.h"

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

} // namespace

class BenchEvent final : public QObject
{
    Q_OBJECT

private slots:
    void numbers_data();
    void numbers();
    void handler_data();
    void handler();
    void repaintsOncePerEvent();
    void megabyteField_data();
    void megabyteField();
};

void BenchEvent::numbers_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("row");
    QTest::newRow("1 lb") << "1" << int(convert::Mass::Pound);
    QTest::newRow("31,1034768 g") << "31,1034768" << int(convert::Mass::Gram);
    QTest::newRow("1 kg (text passed on)") << "1" << int(convert::Mass::Kilogram);
}

void BenchEvent::numbers()
{
    QFETCH(QString, typed);
    QFETCH(int, row);
    const numtext::Format format{u','};
    const auto factors = convert::factorsOf(convert::masses);
    convert::Figures group;
    QBENCHMARK {
        group = convert::figures(convert::masses[row], factors, typed, format);
    }
    QCOMPARE(group.value.size(), 14);
}

void BenchEvent::handler_data()
{
    QTest::addColumn<QString>("field");
    QTest::newRow("pound") << "Text17";
    QTest::newRow("kilogram") << "Text12";
}

void BenchEvent::handler()
{
    QFETCH(QString, field);
    Calculator calculator;
    calculator.show();
    QVERIFY(QTest::qWaitForWindowActive(&calculator));
    QLineEdit *edit = calculator.findChild<QLineEdit *>(field);
    QLineEdit *other = calculator.findChild<QLineEdit *>("Text3");
    edit->setFocus();
    edit->setText("1");
    // Each round: the focus leaves the field (the handler runs and writes
    // fourteen texts) and comes back; no event loop, so no repaint.
    QBENCHMARK {
        other->setFocus(Qt::TabFocusReason);
        edit->setFocus(Qt::TabFocusReason);
    }
    QCOMPARE(calculator.findChild<QLineEdit *>("Text16")->text().isEmpty(), false);
}

void BenchEvent::repaintsOncePerEvent()
{
    Calculator calculator;
    calculator.show();
    QVERIFY(QTest::qWaitForWindowActive(&calculator));
    QLineEdit *edit = calculator.findChild<QLineEdit *>("Text17");
    edit->setFocus();
    QTest::keyClicks(edit, "1");
    QCoreApplication::processEvents();
    PaintCounter counter;
    for (QLineEdit *field : calculator.findChildren<QLineEdit *>())
        field->installEventFilter(&counter);
    const int before = counter.paints;
    QTest::keyClick(edit, Qt::Key_Tab);
    QCoreApplication::processEvents();
    // One repaint pass of the window covers the fourteen fields: each field is
    // painted once in it, not once per write.
    QCOMPARE(counter.paints - before, 14);
}

void BenchEvent::megabyteField_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("centimetres"); // what the leave writes; empty: refused
    QTest::newRow("converts") << QString(1 << 20, u'0') + "1" << "100";
    QTest::newRow("refused") << QString(1 << 20, u'x') << "";
}

// Leaving a field that holds 1 MB of pasted text, from the key to every
// field written, and with the repaint that follows: that one is Qt's own,
// since its line edit measures the whole text each time it paints.
void BenchEvent::megabyteField()
{
    QFETCH(QString, text);
    QFETCH(QString, centimetres);
    Calculator calculator;
    calculator.show();
    QVERIFY(QTest::qWaitForWindowActive(&calculator));
    QLineEdit *field = calculator.findChild<QLineEdit *>("Text3");
    qint64 slowest = 0;
    qint64 slowestPaint = 0;
    QBENCHMARK {
        field->setFocus();
        QTRY_VERIFY(field->hasFocus());
        field->setText(text);
        QCoreApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        QTest::keyClick(field, Qt::Key_Tab);
        slowest = std::max(slowest, timer.elapsed());
        QCoreApplication::processEvents();
        slowestPaint = std::max(slowestPaint, timer.elapsed());
    }
    qInfo("leaving the field took at most %lld ms, %lld ms with the repaint", slowest, slowestPaint);
    QCOMPARE(calculator.findChild<QLineEdit *>("Text10")->text(), centimetres);
}

QTEST_MAIN(BenchEvent)
#include "bench_event.moc"
