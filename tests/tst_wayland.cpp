// SPDX-License-Identifier: GPL-3.0-or-later
// The window on a Wayland compositor (tests/wayland.sh starts a headless
// weston, sway or mutter): it runs natively, takes any size the compositor
// asks for, its layout centred, even with the machine busy, and its size
// again after; it follows a new output scale; and closing it ends the
// program normally.
#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "calculator.h"

class TestWayland final : public QObject
{
    Q_OBJECT

private slots:
    void runsNatively();
    void takesTheSizeAsked_data();
    void takesTheSizeAsked();
    void followsANewScale();
    void closingEndsTheProgram();
};

void TestWayland::runsNatively()
{
    QCOMPARE(QGuiApplication::platformName(), QStringLiteral("wayland"));
}

void TestWayland::takesTheSizeAsked_data()
{
    QTest::addColumn<Qt::WindowState>("state");
    QTest::addColumn<int>("times");
    QTest::addColumn<int>("busyLoops");
    QTest::newRow("maximise (the title bar's button)") << Qt::WindowMaximized << 1 << 0;
    QTest::newRow("full screen") << Qt::WindowFullScreen << 1 << 0;
    QTest::newRow("maximise 20 times beside two busy loops") << Qt::WindowMaximized << 20 << 2;
}

// Had the window drawn at a size other than the one the compositor asked
// for, the compositor would have ended the connection, and with it this
// program.
void TestWayland::takesTheSizeAsked()
{
    QFETCH(Qt::WindowState, state);
    QFETCH(int, times);
    QFETCH(int, busyLoops);
    std::vector<std::unique_ptr<QProcess>> busy;
    for (int i = 0; i < busyLoops; ++i) {
        busy.push_back(std::make_unique<QProcess>());
        busy.back()->start(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("while :; do :; done")});
    }
    Calculator calculator;
    calculator.show();
    QVERIFY(QTest::qWaitForWindowExposed(&calculator));
    const QSize size = calculator.size();
    const QPoint frame = calculator.findChild<QGroupBox *>(QStringLiteral("Frame2"))->pos();
    QWindow *window = calculator.windowHandle();
    auto *field = calculator.findChild<QLineEdit *>(QStringLiteral("Text1"));
    for (int time = 0; time < times; ++time) {
        window->setWindowStates(state);
        for (int i = 0; i < 10; ++i) {
            field->setText(QString::number(i));
            QTest::qWait(20);
        }
        QTRY_VERIFY(calculator.isVisible() && window->isExposed());
        // As large as asked, where the compositor grants it, the layout in the middle.
        QVERIFY(calculator.width() >= size.width() && calculator.height() >= size.height());
        const QPoint centred((calculator.width() - size.width()) / 2, (calculator.height() - size.height()) / 2);
        QCOMPARE(calculator.findChild<QGroupBox *>(QStringLiteral("Frame2"))->pos(), frame + centred);
        window->setWindowStates(Qt::WindowNoState);
        QTRY_COMPARE(calculator.size(), size);
        QCOMPARE(calculator.findChild<QGroupBox *>(QStringLiteral("Frame2"))->pos(), frame);
    }
    for (const auto &loop : busy) {
        loop->kill();
        loop->waitForFinished();
    }
}

// New scales of the output (sway's "output ... scale"), a fraction among
// them: the window stays inside the output, and is drawn at the new scale.
void TestWayland::followsANewScale()
{
    if (qEnvironmentVariableIsEmpty("SWAYSOCK"))
        QSKIP("only sway changes an output's scale on request here");
    Calculator calculator;
    calculator.show();
    QVERIFY(QTest::qWaitForWindowExposed(&calculator));
    const auto scale = [](const QString &factor) {
        QProcess swaymsg;
        swaymsg.start(QStringLiteral("swaymsg"), {QStringLiteral("output * scale ") + factor});
        return swaymsg.waitForFinished() && swaymsg.exitCode() == 0;
    };
    auto reset = qScopeGuard([&] { scale(QStringLiteral("1")); });
    for (const qreal factor : {1.5, 2.0, 1.0}) {
        QVERIFY(scale(QString::number(factor)));
        QTRY_COMPARE(calculator.screen()->geometry().width(), qRound(1280 / factor));
        // Wayland gives a window no place of its own: its size is what stays inside.
        const QSize room = calculator.screen()->availableGeometry().size();
        QTRY_VERIFY(calculator.frameGeometry().width() <= room.width()
                    && calculator.frameGeometry().height() <= room.height());
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
        QSKIP("Qt 6.4 keeps drawing a window at the scale of the output it entered on");
#endif
        QTRY_COMPARE(calculator.windowHandle()->devicePixelRatio(), factor);
    }
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
