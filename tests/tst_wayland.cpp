// SPDX-License-Identifier: GPL-3.0-or-later
// The window on a Wayland compositor (tests/wayland.sh starts a headless
// weston): it runs natively, a request to maximise it or fill the screen
// leaves it at its size, and closing it ends the program normally.
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "calculator.h"

class TestWayland final : public QObject
{
    Q_OBJECT

private slots:
    void runsNatively();
    void keepsItsSize_data();
    void keepsItsSize();
    void closingEndsTheProgram();
};

void TestWayland::runsNatively()
{
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("wayland"));
}

void TestWayland::keepsItsSize_data()
{
    QTest::addColumn<Qt::WindowState>("state");
    QTest::newRow("maximise (the title bar's button)") << Qt::WindowMaximized;
    QTest::newRow("full screen") << Qt::WindowFullScreen;
}

void TestWayland::keepsItsSize()
{
    QFETCH(Qt::WindowState, state);
    Calculator calculator;
    calculator.show();
    QVERIFY(QTest::qWaitForWindowExposed(&calculator));
    const QSize size = calculator.size();
    QWindow *window = calculator.windowHandle();
    window->setWindowStates(state);
    // The compositor answers, and the window draws again: had it drawn at a
    // size other than the one asked for, the compositor would have ended the
    // connection, and with it this program.
    auto *field = calculator.findChild<QLineEdit *>(QStringLiteral("Text1"));
    for (int i = 0; i < 10; ++i) {
        field->setText(QString::number(i));
        QTest::qWait(50);
    }
    QTRY_VERIFY(calculator.isVisible() && window->isExposed());
    QCOMPARE(window->windowStates() & (Qt::WindowMaximized | Qt::WindowFullScreen), Qt::WindowStates());
    QCOMPARE(calculator.size(), size);
}

void TestWayland::closingEndsTheProgram()
{
    Calculator calculator;
    calculator.show();
    QVERIFY(QTest::qWaitForWindowExposed(&calculator));
    // What the close button of the title bar does.
    QTimer::singleShot(0, &calculator, [&calculator] { calculator.windowHandle()->close(); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(!calculator.isVisible());
}

QTEST_MAIN(TestWayland)
#include "tst_wayland.moc"
