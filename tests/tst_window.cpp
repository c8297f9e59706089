// SPDX-License-Identifier: GPL-3.0-or-later
// The window's layout, focus order, captions, colours and accessible names.
#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextLayout>

#include "shownwindow.h"

namespace {

// The order Tab walks, wrapping at the end.
const QStringList focusOrder{"Text1",  "Text2",  "Text3",  "Text4",  "Text5",  "Text6",  "Text7",
                             "Text8",  "Text9",  "Text10", "Close",  "Text11", "Text12", "Text13",
                             "Text14", "Text15", "Text16", "Text17", "Text18", "Text19", "Text20",
                             "Text21", "Text22", "Text23", "Text24"};

double luminance(const QColor &c)
{
    auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace

class TestWindow final : public QObject
{
    Q_OBJECT

private slots:
    void controlsStandWhereTheyBelong_data();
    void controlsStandWhereTheyBelong();
    void hasFixedSizeCentredTitleAndIcon();
    void hintPutsHeadingAloneOnFirstLine();
    void captionsAreNotClipped();
    void tabWalksTheFocusOrder_data();
    void tabWalksTheFocusOrder();
    void labelAndFrameClicksKeepFocus();
    void fieldsAreNamedForScreenReaders();
    void subHeadingsStandOut_data();
    void subHeadingsStandOut();
};

void TestWindow::controlsStandWhereTheyBelong_data()
{
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<QString>("caption");
    const QString hint = "Hinweis zum Gebrauch:" + QString(31, u' ') + "Die Umrechnung erfolgt beim Verlassen eines jeden Eingabefeldes.";
    QTest::newRow("Frame1") << "" << QRect(8, 8, 193, 49) << "Temperatur";
    QTest::newRow("Frame2") << "" << QRect(8, 64, 433, 105) << "Längen";
    QTest::newRow("Frame3") << "" << QRect(8, 176, 433, 241) << "Gewichte";
    QTest::newRow("Text1") << "Frame1" << QRect(8, 16, 65, 19) << "";
    QTest::newRow("Text2") << "Frame1" << QRect(96, 16, 65, 19) << "";
    QTest::newRow("Text10") << "Frame2" << QRect(8, 16, 65, 19) << "";
    QTest::newRow("Text3") << "Frame2" << QRect(96, 16, 65, 19) << "";
    QTest::newRow("Text4") << "Frame2" << QRect(184, 16, 65, 19) << "";
    QTest::newRow("Text5") << "Frame2" << QRect(8, 56, 65, 19) << "";
    QTest::newRow("Text6") << "Frame2" << QRect(96, 56, 65, 19) << "";
    QTest::newRow("Text7") << "Frame2" << QRect(184, 56, 65, 19) << "";
    QTest::newRow("Text8") << "Frame2" << QRect(272, 56, 65, 19) << "";
    QTest::newRow("Text9") << "Frame2" << QRect(360, 56, 65, 19) << "";
    QTest::newRow("Text11") << "Frame3" << QRect(8, 32, 65, 19) << "";
    QTest::newRow("Text24") << "Frame3" << QRect(96, 32, 65, 19) << "";
    QTest::newRow("Text12") << "Frame3" << QRect(184, 32, 65, 19) << "";
    QTest::newRow("Text13") << "Frame3" << QRect(272, 32, 65, 19) << "";
    QTest::newRow("Text14") << "Frame3" << QRect(8, 96, 65, 19) << "";
    QTest::newRow("Text15") << "Frame3" << QRect(96, 96, 65, 19) << "";
    QTest::newRow("Text16") << "Frame3" << QRect(184, 96, 65, 19) << "";
    QTest::newRow("Text17") << "Frame3" << QRect(272, 96, 65, 19) << "";
    QTest::newRow("Text18") << "Frame3" << QRect(360, 96, 65, 19) << "";
    QTest::newRow("Text19") << "Frame3" << QRect(8, 136, 65, 19) << "";
    QTest::newRow("Text20") << "Frame3" << QRect(8, 200, 65, 19) << "";
    QTest::newRow("Text21") << "Frame3" << QRect(96, 200, 65, 19) << "";
    QTest::newRow("Text22") << "Frame3" << QRect(184, 200, 65, 19) << "";
    QTest::newRow("Text23") << "Frame3" << QRect(272, 200, 65, 19) << "";
    QTest::newRow("Label1") << "Frame1" << QRect(72, 16, 17, 17) << "°C";
    QTest::newRow("Label2") << "Frame1" << QRect(160, 16, 17, 17) << "°F";
    QTest::newRow("Label10") << "Frame2" << QRect(8, 35, 65, 17) << "Zentimeter";
    QTest::newRow("Label3") << "Frame2" << QRect(96, 35, 57, 17) << "Meter";
    QTest::newRow("Label4") << "Frame2" << QRect(184, 35, 65, 17) << "Kilometer";
    QTest::newRow("Label5") << "Frame2" << QRect(8, 75, 65, 17) << "Inches";
    QTest::newRow("Label6") << "Frame2" << QRect(96, 75, 65, 17) << "Feet";
    QTest::newRow("Label7") << "Frame2" << QRect(184, 75, 65, 17) << "Yards";
    QTest::newRow("Label8") << "Frame2" << QRect(272, 75, 57, 17) << "Meilen";
    QTest::newRow("Label9") << "Frame2" << QRect(360, 75, 57, 17) << "Seemeilen";
    QTest::newRow("Label12") << "Frame3" << QRect(8, 16, 137, 17) << "Metrisches System";
    QTest::newRow("Label13") << "Frame3" << QRect(8, 51, 65, 17) << "Gramm [g]";
    QTest::newRow("Label28") << "Frame3" << QRect(96, 51, 81, 17) << "metr. Carat [ct]";
    QTest::newRow("Label14") << "Frame3" << QRect(184, 51, 73, 17) << "Kilogramm [kg]";
    QTest::newRow("Label15") << "Frame3" << QRect(272, 51, 81, 17) << "metr. Tonne [t]";
    QTest::newRow("Label16") << "Frame3" << QRect(8, 80, 209, 17) << "Avoirdupois-System (USA, UK)";
    QTest::newRow("Label17") << "Frame3" << QRect(8, 115, 65, 17) << "Grain [gr]";
    QTest::newRow("Label18") << "Frame3" << QRect(96, 115, 65, 17) << "Dram [dr]";
    QTest::newRow("Label19") << "Frame3" << QRect(184, 115, 65, 17) << "Ounce [oz]";
    QTest::newRow("Label20") << "Frame3" << QRect(272, 115, 65, 17) << "Pound [lb]";
    QTest::newRow("Label21") << "Frame3" << QRect(360, 115, 65, 17) << "Short ton [tn]";
    QTest::newRow("Label22") << "Frame3" << QRect(8, 155, 73, 17) << "Long ton [l.tn]";
    QTest::newRow("Label23") << "Frame3" << QRect(8, 184, 217, 17) << "Troy-System für Gold, Silber und Edelsteine";
    QTest::newRow("Label24") << "Frame3" << QRect(8, 219, 73, 17) << "Grain [gr]";
    QTest::newRow("Label25") << "Frame3" << QRect(96, 219, 89, 17) << "Pennyweight [pwt]";
    QTest::newRow("Label26") << "Frame3" << QRect(184, 219, 89, 17) << "Troy Ounce [oz]";
    QTest::newRow("Label27") << "Frame3" << QRect(272, 219, 81, 17) << "Troy Pound [lb]";
    QTest::newRow("Label11") << "" << QRect(216, 16, 209, 41) << hint;
    QTest::newRow("Close") << "" << QRect(160, 424, 121, 25) << "Schliessen";
}

void TestWindow::controlsStandWhereTheyBelong()
{
    QFETCH(QString, parent);
    QFETCH(QRect, rect);
    QFETCH(QString, caption);
    Calculator calculator;
    const QString name = QString::fromLatin1(QTest::currentDataTag());
    const QList<QWidget *> found = calculator.findChildren<QWidget *>(name);
    QCOMPARE(found.size(), 1);
    QWidget *widget = found.front();
    QCOMPARE(widget->parentWidget()->objectName(), parent.isEmpty() ? QString() : parent);
    QCOMPARE(widget->parentWidget() == &calculator, parent.isEmpty());
    QCOMPARE(widget->geometry(), rect);
    if (auto *frame = qobject_cast<QGroupBox *>(widget))
        QCOMPARE(frame->title(), caption);
    else if (auto *label = qobject_cast<QLabel *>(widget))
        QCOMPARE(label->text(), caption);
    else if (auto *button = qobject_cast<QPushButton *>(widget))
        QCOMPARE(button->text(), caption);
    else
        QCOMPARE(qobject_cast<QLineEdit *>(widget)->text(), QString());
}

void TestWindow::hasFixedSizeCentredTitleAndIcon()
{
    ShownCalculator w;
    QCOMPARE(w.calculator.windowTitle(), QString("Velmarin"));
    QCOMPARE(w.calculator.size(), QSize(450, 456));
    QCOMPARE(w.calculator.minimumSize(), w.calculator.maximumSize());
    QCOMPARE(w.calculator.findChildren<QWidget *>().size(), 56);
    const QPoint centre = QApplication::primaryScreen()->availableGeometry().center();
    // Centred to within the window frame the platform adds.
    const QPoint offset = w.calculator.geometry().center() - centre;
    QVERIFY2(offset.manhattanLength() <= 8, qPrintable(QString("%1,%2").arg(offset.x()).arg(offset.y())));
    const QList<QSize> sizes = w.calculator.windowIcon().availableSizes();
    QCOMPARE(sizes, (QList<QSize>{{16, 16}, {24, 24}, {32, 32}}));
}

void TestWindow::hintPutsHeadingAloneOnFirstLine()
{
    ShownCalculator w;
    auto *hint = w.child<QLabel>("Label11");
    QCOMPARE(hint->text().size(), 116);
    QVERIFY(hint->wordWrap());
    QTextLayout text(hint->text(), hint->font());
    QTextOption option;
    option.setWrapMode(QTextOption::WordWrap);
    text.setTextOption(option);
    QStringList lines;
    qreal height = 0;
    text.beginLayout();
    for (QTextLine line = text.createLine(); line.isValid(); line = text.createLine()) {
        line.setLineWidth(hint->width());
        lines << hint->text().mid(line.textStart(), line.textLength()).trimmed();
        height += line.height();
    }
    text.endLayout();
    QCOMPARE(lines.front(), QString("Hinweis zum Gebrauch:"));
    QVERIFY(lines[1].startsWith("Die Umrechnung"));
    QVERIFY2(height <= hint->height(), qPrintable(lines.join(u'|')));
}

void TestWindow::captionsAreNotClipped()
{
    ShownCalculator w;
    for (QLabel *label : w.calculator.findChildren<QLabel *>(QRegularExpression("^Label\\d+$"))) {
        if (label->wordWrap())
            continue;
        const QFontMetrics metrics(label->font());
        QVERIFY2(metrics.horizontalAdvance(label->text()) <= label->width(), qPrintable(label->text()));
        QVERIFY2(metrics.height() <= label->height(), qPrintable(label->text()));
    }
    for (QLineEdit *field : w.calculator.findChildren<QLineEdit *>())
        QVERIFY(field->fontMetrics().height() + 4 <= field->height());
}

void TestWindow::tabWalksTheFocusOrder_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("next");
    QTest::addColumn<QString>("previous");
    for (qsizetype i = 0; i < focusOrder.size(); ++i) {
        QTest::newRow(qPrintable(focusOrder[i])) << focusOrder[i] << focusOrder[(i + 1) % focusOrder.size()]
                                                 << focusOrder[(i + focusOrder.size() - 1) % focusOrder.size()];
    }
}

void TestWindow::tabWalksTheFocusOrder()
{
    QFETCH(QString, from);
    QFETCH(QString, next);
    QFETCH(QString, previous);
    ShownCalculator w;
    QCOMPARE(QApplication::focusWidget(), w.child("Text1"));
    w.child(from)->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(w.child(from), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), next);
    QTest::keyClick(w.child(next), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget()->objectName(), from);
    QTest::keyClick(w.child(from), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget()->objectName(), previous);
}

void TestWindow::labelAndFrameClicksKeepFocus()
{
    ShownCalculator w;
    auto *field = w.child<QLineEdit>("Text3");
    field->setFocus();
    QTest::keyClicks(field, "1");
    const auto targets = w.calculator.findChildren<QWidget *>(QRegularExpression("^(Label|Frame)\\d+$"));
    QCOMPARE(targets.size(), 31);
    for (QWidget *target : targets) {
        QVERIFY(target->focusPolicy() == Qt::NoFocus);
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(target->width() - 3, target->height() - 3));
        QCOMPARE(QApplication::focusWidget(), field);
    }
    // Nothing was left, so nothing was converted.
    QCOMPARE(w.child<QLineEdit>("Text10")->text(), QString());
}

void TestWindow::fieldsAreNamedForScreenReaders()
{
    ShownCalculator w;
    // A screen reader starts listening while the window is open.
    QAccessible::setActive(true);
    auto inactive = qScopeGuard([] { QAccessible::setActive(false); });
    QStringList heard;
    QWidget *at = w.child("Text1");
    at->setFocus();
    for (qsizetype i = 0; i < focusOrder.size(); ++i) {
        heard << QAccessible::queryAccessibleInterface(QApplication::focusWidget())->text(QAccessible::Name);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(heard, (QStringList{"°C", "°F", "Meter", "Kilometer", "Inches", "Feet", "Yards", "Meilen",
                                 "Seemeilen", "Zentimeter", "Schliessen", "Gramm [g]", "Kilogramm [kg]",
                                 "metr. Tonne [t]", "Grain [gr] (Avoirdupois)", "Dram [dr]", "Ounce [oz]",
                                 "Pound [lb]", "Short ton [tn]", "Long ton [l.tn]", "Grain [gr] (Troy)",
                                 "Pennyweight [pwt]", "Troy Ounce [oz]", "Troy Pound [lb]",
                                 "metr. Carat [ct]"}));
    for (const QString &frame : QStringList{"Frame1", "Frame2", "Frame3"}) {
        auto *box = w.child<QGroupBox>(frame);
        QCOMPARE(QAccessible::queryAccessibleInterface(box)->text(QAccessible::Name), box->title());
    }
}

void TestWindow::subHeadingsStandOut_data()
{
    QTest::addColumn<QPalette>("palette");
    QTest::newRow("standard") << QApplication::palette();
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x2b, 0x2b, 0x2b));
    dark.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xee));
    dark.setColor(QPalette::Shadow, Qt::black);
    QTest::newRow("dark") << dark;
    QPalette shadowDistinct = QApplication::palette();
    shadowDistinct.setColor(QPalette::Shadow, QColor(0x30, 0x30, 0x60));
    QTest::newRow("theme shadow") << shadowDistinct;
}

void TestWindow::subHeadingsStandOut()
{
    QFETCH(QPalette, palette);
    const QPalette original = QApplication::palette();
    QApplication::setPalette(palette);
    auto restore = qScopeGuard([&] { QApplication::setPalette(original); });
    Calculator calculator;
    for (const QString &name : QStringList{"Label12", "Label16", "Label23"}) {
        auto *label = calculator.findChild<QLabel *>(name);
        const QColor text = label->palette().color(QPalette::WindowText);
        QVERIFY(text != palette.color(QPalette::WindowText));
        QVERIFY2(contrast(text, label->palette().color(QPalette::Window)) >= 4.5, qPrintable(name));
        if (QTest::currentDataTag() == QByteArray("theme shadow"))
            QCOMPARE(text, palette.color(QPalette::Shadow));
    }
    QCOMPARE(calculator.findChild<QLabel *>("Label13")->palette().color(QPalette::WindowText),
             palette.color(QPalette::WindowText));
}

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
