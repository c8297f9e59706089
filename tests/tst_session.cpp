// SPDX-License-Identifier: GPL-3.0-or-later
// A long session: 10,000 fields left one after another, with numbers, bad
// text and empty fields, by Tab, Shift+Tab and clicks. Memory must settle
// after the first hundred, and every field must end in a consistent state.
#include <random>
#include <malloc.h>
#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <psapi.h>
#endif

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QTest>

#include "shownwindow.h"

namespace {

struct Memory {
    qint64 heap;     // bytes the allocator has handed out and not got back
    qint64 resident; // the process's resident set
};

#ifdef _WIN32
// The busy blocks of the C runtime's heap, which malloc and new draw on, and
// the process's working set.
Memory memoryNow()
{
    const auto crtHeap = reinterpret_cast<HANDLE>(_get_heap_handle());
    qint64 heap = 0;
    HeapLock(crtHeap);
    PROCESS_HEAP_ENTRY entry{};
    while (HeapWalk(crtHeap, &entry)) {
        if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
            heap += entry.cbData;
    }
    HeapUnlock(crtHeap);
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return {heap, qint64(counters.WorkingSetSize)};
}
#else
Memory memoryNow()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    qint64 resident = 0;
    if (statm.open(QIODevice::ReadOnly))
        resident = statm.readAll().split(' ').value(1).toLongLong() * 4096;
    return {qint64(mallinfo2().uordblks), resident};
}
#endif

// Whether leaving the field with its present text would convert.
bool converts(const QString &name, const QString &text, numtext::Format format)
{
    if (name == u"Text1" || name == u"Text2")
        return bool(name == u"Text1" ? convert::celsiusToFahrenheit(text, format)
                                     : convert::fahrenheitToCelsius(text, format));
    // The fields of a group stand in the order of its unit table.
    const auto group = [&](const auto &units, const QStringList &fields) {
        return bool(convert::figures(units[std::size_t(fields.indexOf(name))], convert::factorsOf(units), text, format));
    };
    return lengthFields.contains(name) ? group(convert::lengths, lengthFields) : group(convert::masses, massFields);
}

} // namespace

class TestSession final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase_data();
    void tenThousandFocusChanges();
};

void TestSession::initTestCase_data()
{
    addLocaleRows();
}

void TestSession::tenThousandFocusChanges()
{
    QFETCH_GLOBAL(QLocale, locale);
    const DefaultLocale inLocale(locale);
    const numtext::Format format = numtext::Format::fromLocale(locale);

    ShownCalculator w;
    std::array<QLineEdit *, 24> fields{};
    for (int i = 0; i < 24; ++i)
        fields[i] = w.field(QStringLiteral("Text%1").arg(i + 1));

    std::mt19937 random(locale.name() == u"de_DE" ? 2 : 1);
    const QStringList bad{" ", "abc", "1e400", "1e305", "--1", "1,2,3", "1.2.3"};
    const auto number = [&] {
        const double v = std::uniform_real_distribution<double>(-1, 1)(random)
            * std::pow(10.0, std::uniform_int_distribution<int>(-9, 12)(random));
        return localised(QString::number(v, 'g', std::uniform_int_distribution<int>(1, 17)(random)),
                         QChar(format.decimal));
    };

    // On Windows the heap goes on growing for some five thousand steps (by
    // about 100 KiB in all under Wine) before it settles.
#ifdef _WIN32
    constexpr int settledAt = 5000;
    constexpr qint64 warming = 256 * 1024;
#else
    constexpr int settledAt = 1000;
    constexpr qint64 warming = 160 * 1024;
#endif
    Memory atHundred{};
    Memory settled{};
    QList<std::pair<int, Memory>> curve;
    for (int step = 1; step <= 10000; ++step) {
        QLineEdit *field = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        if (!field) { // the button: step on
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            field = qobject_cast<QLineEdit *>(QApplication::focusWidget());
        }
        QVERIFY(field);
        const int roll = std::uniform_int_distribution<int>(0, 99)(random);
        field->selectAll();
        if (roll < 70)
            QTest::keyClicks(field, number());
        else if (roll < 80)
            QTest::keyClicks(field, bad[roll % bad.size()]);
        else if (roll < 85)
            QTest::keyClick(field, Qt::Key_Backspace);
        // else: leave it as it stands
        const int how = std::uniform_int_distribution<int>(0, 3)(random);
        if (how < 2)
            QTest::keyClick(field, Qt::Key_Tab);
        else if (how == 2)
            QTest::keyClick(field, Qt::Key_Backtab);
        else
            QTest::mouseClick(fields[std::uniform_int_distribution<int>(0, 23)(random)], Qt::LeftButton);

        // A user's session runs the event loop between keys.
        QCoreApplication::processEvents();
        if (step == 100)
            atHundred = memoryNow();
        if (step == settledAt)
            settled = memoryNow();
        if (step % 1000 == 0 || step == 100)
            curve.append({step, memoryNow()});
    }
    QString report;
    for (const auto &[step, memory] : curve)
        report += QStringLiteral(" %1: %2 KiB heap, %3 KiB resident;").arg(step).arg(memory.heap / 1024).arg(memory.resident / 1024);
    qInfo("%s", qPrintable(report));

    // After the first hundred only what a field's first refusal makes (its
    // explanation and the note's line, a few KiB each, 24 at most) adds to
    // the heap; once settled, nothing but the allocator's slack.
    const Memory end = memoryNow();
    QVERIFY2(end.heap - atHundred.heap < warming, qPrintable(report));
    QVERIFY2(end.heap - settled.heap < 64 * 1024, qPrintable(report));

    // Leave the last field, then: a refusal stands exactly at the fields whose
    // text would not convert.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    for (int i = 0; i < 24; ++i) {
        const QString text = fields[i]->text();
        const bool shown = w.refused(fields[i]->objectName());
        const bool refused = !text.isEmpty() && !converts(fields[i]->objectName(), text, format);
        QVERIFY2(shown == refused, qPrintable(fields[i]->objectName() + QStringLiteral(": ") + text));
        // The refusal's explanation while it stands, else at most the figure
        // and the value behind it.
        const QString description = fields[i]->accessibleDescription();
        const bool aboutTheFigure = description.isEmpty() || description.startsWith(QStringLiteral("Ungerundet: "))
            || description.section(u'\n', 0, 0) == text;
        QCOMPARE(aboutTheFigure, !shown);
    }
}

QTEST_MAIN(TestSession)
#include "tst_session.moc"
