// SPDX-License-Identifier: GPL-3.0-or-later
// The window driven as a user drives it: text typed into a field, the field
// left by Tab, Shift+Tab or a click, and the other fields read back.
#include <algorithm>
#include <memory>
#include <optional>

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "shownwindow.h"

using namespace Qt::StringLiterals;

namespace {

// "Text3=1" pairs of a row: each field and the text it must show.
using Expected = QList<std::pair<QString, QString>>;
Expected pairs(const QStringList &items)
{
    Expected expected;
    for (const QString &item : items) {
        const auto parts = item.split(u'=');
        expected.append({parts[0], parts[1]});
    }
    return expected;
}

bool noWindowShown()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::none_of(windows.cbegin(), windows.cend(), [](const QWidget *window) { return window->isVisible(); });
}

} // namespace

class TestCalculator final : public QObject
{
    Q_OBJECT

private:
    void leaveWithBadText(const QString &field, const QString &typed, const QString &note);

    std::optional<DefaultLocale> m_locale; // the row's, for each test

private slots:
    void initTestCase_data();
    void init();
    void cleanup();

    void startsEmptyWithFocusInCelsius();
    void convertsGroup_data();
    void convertsGroup();
    void convertsTemperature_data();
    void convertsTemperature();
    void reconvertsUneditedField_data();
    void reconvertsUneditedField();
    void bothGrainFieldsAgree_data();
    void bothGrainFieldsAgree();
    void keepsTypedTemperatureText();
    void showsTheValueBehindTheFigure_data();
    void showsTheValueBehindTheFigure();
    void badTextChangesNothing_data();
    void badTextChangesNothing();
    void refusalSaysWhatIsWrong_data();
    void refusalSaysWhatIsWrong();
    void emptyFieldChangesNothing();
    void noticeGoesOnEditOrSuccess();
    void everyKindOfEditIsTheUsers_data();
    void everyKindOfEditIsTheUsers();
    void noteShowsTheLatestStandingRefusal();
    void typingAloneConvertsNothing();
    void leavingByShiftTabOrClickConverts();
    void otherWindowMenuOrCloseConvertNothing();
    void enterAndEscapeDoNothing();
    void buttonClosesWindow();
    void qtSpeaksTheUsersLanguage();
    void closeCommandClosesWindow();
};

void TestCalculator::initTestCase_data()
{
    addLocaleRows();
}

void TestCalculator::init()
{
    QFETCH_GLOBAL(QLocale, locale);
    m_locale.emplace(locale);
}

void TestCalculator::cleanup()
{
    m_locale.reset();
}

void TestCalculator::startsEmptyWithFocusInCelsius()
{
    ShownCalculator w;
    for (int i = 1; i <= 24; ++i)
        QCOMPARE(w.text(u"Text%1"_s.arg(i)), QString());
    QCOMPARE(QApplication::focusWidget(), w.field(u"Text1"_s));
    // Leaving the empty Celsius field right after the start converts nothing.
    w.leave(u"Text1"_s);
    QCOMPARE(w.text(u"Text2"_s), QString());
}

void TestCalculator::convertsGroup_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("1 m") << "Text3" << "1"
                         << QStringList{"Text10=100", "Text3=1", "Text4=0.001", "Text5=39.37007874",
                                        "Text6=3.28083989", "Text7=1.0936133", "Text8=0.00062137",
                                        "Text9=0.00053996"};
    QTest::newRow("1 in") << "Text5" << "1"
                          << QStringList{"Text5=1", "Text10=2.54", "Text3=0.0254", "Text6=0.08333333",
                                         "Text7=0.02777778"};
    QTest::newRow("1 km") << "Text4" << "1"
                          << QStringList{"Text10=100000", "Text3=1000", "Text5=39370.07874",
                                         "Text8=0.62137119", "Text9=0.5399568"};
    QTest::newRow("1 nmi") << "Text9" << "1"
                           << QStringList{"Text9=1", "Text4=1.852", "Text3=1852.00000019",
                                          "Text10=185200.00001911"};
    QTest::newRow("0.123456789 m") << "Text3" << "0.123456789" << QStringList{"Text3=0.12345679", "Text10=12.3456789"};
    QTest::newRow("0.0001 cm") << "Text10" << "0.0001"
                               << QStringList{"Text4=0", "Text8=0", "Text9=0", "Text3=0.000001"};
    QTest::newRow("1.50 cm") << "Text10" << "1.50" << QStringList{"Text10=1.5", "Text3=0.015"};
    QTest::newRow("-1 m") << "Text3" << "-1" << QStringList{"Text10=-100", "Text3=-1", "Text4=-0.001"};
    QTest::newRow("exponent in") << "Text5" << "1e2" << QStringList{"Text5=100", "Text10=254"};
    QTest::newRow("blanks around ft") << "Text6" << " 1 " << QStringList{"Text6=1", "Text10=30.48"};
    QTest::newRow("1 mi") << "Text8" << "1" << QStringList{"Text8=1", "Text4=1.60934401"};
    QTest::newRow("1 yd") << "Text7" << "1" << QStringList{"Text7=1", "Text10=91.44000003"};
    QTest::newRow("1 kg") << "Text12" << "1"
                          << QStringList{"Text12=1", "Text11=1000", "Text24=5000", "Text13=0.001",
                                         "Text14=15432.35808", "Text20=15432.35808", "Text15=564.383488",
                                         "Text16=35.273968", "Text17=2.204623", "Text18=0.00110231",
                                         "Text19=0.00098421", "Text21=643.01492", "Text22=32.150746",
                                         "Text23=2.67922883"};
    QTest::newRow("1 lb") << "Text17" << "1"
                          << QStringList{"Text17=1", "Text16=16", "Text15=256", "Text14=6999.99867551",
                                         "Text20=6999.99867551", "Text11=453.5922922", "Text12=0.45359229"};
    QTest::newRow("1 oz t") << "Text22" << "1"
                            << QStringList{"Text14=480", "Text20=480", "Text21=20", "Text23=0.08333333",
                                           "Text11=31.10347735"};
    QTest::newRow("1 lb t") << "Text23" << "1"
                            << QStringList{"Text22=12", "Text21=240", "Text14=5760.00000001",
                                           "Text20=5760.00000001"};
    QTest::newRow("1 ct") << "Text24" << "1" << QStringList{"Text11=0.2", "Text12=0.0002", "Text13=0.0000002"};
    QTest::newRow("1 g") << "Text11" << "1" << QStringList{"Text12=0.001", "Text24=5", "Text13=0.000001"};
    QTest::newRow("1.50 kg") << "Text12" << "1.50" << QStringList{"Text12=1.5", "Text11=1500"};
    QTest::newRow("2 t") << "Text13" << "2" << QStringList{"Text13=2", "Text12=2000"};
    QTest::newRow("256 dr") << "Text15" << "256" << QStringList{"Text15=256", "Text17=1"};
    QTest::newRow("2 tn") << "Text18" << "2" << QStringList{"Text18=2", "Text17=4000.00181437"};
    QTest::newRow("1 l.tn") << "Text19" << "1" << QStringList{"Text19=1", "Text12=1016.04745348"};
    QTest::newRow("20 pwt") << "Text21" << "20" << QStringList{"Text21=20", "Text22=1"};
    // Written as another locale writes it, or grouped: where only one number is meant.
    QTest::newRow("3,14159 m, the other separator") << "Text3" << "3,14159" << QStringList{"Text3=3.14159", "Text10=314.159"};
    QTest::newRow("1,234.5 g, grouped") << "Text11" << "1,234.5" << QStringList{"Text11=1234.5", "Text12=1.2345"};
    QTest::newRow("1.234,5 g, grouped the other way") << "Text11" << "1.234,5" << QStringList{"Text12=1.2345"};
    QTest::newRow("1,234,567 cm, grouped") << "Text10" << "1,234,567" << QStringList{"Text10=1234567", "Text3=12345.67"};
}

// Every field of the group the field belongs to is written, none of another group.
void TestCalculator::convertsGroup()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QStringList, expected);
    ShownCalculator w;
    w.enter(field, localised(typed));
    for (const auto &[name, text] : pairs(expected))
        QCOMPARE(w.text(name) + u" in "_s + name, localised(text) + u" in "_s + name);
    const QStringList &group = lengthFields.contains(field) ? lengthFields : massFields;
    for (const QString &name : lengthFields + massFields)
        QCOMPARE(w.text(name).isEmpty(), !group.contains(name));
}

void TestCalculator::convertsTemperature_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("other");
    QTest::addColumn<QString>("result");
    QTest::newRow("100 C") << "Text1" << "100" << "Text2" << "212";
    QTest::newRow("0 C") << "Text1" << "0" << "Text2" << "32";
    QTest::newRow("-40 C") << "Text1" << "-40" << "Text2" << "-40";
    QTest::newRow("37 C") << "Text1" << "37" << "Text2" << "98.6";
    QTest::newRow("36.6 C") << "Text1" << "36.6" << "Text2" << "97.88";
    QTest::newRow("0.1 C") << "Text1" << "0.1" << "Text2" << "32.18";
    QTest::newRow("-273.15 C") << "Text1" << "-273.15" << "Text2" << "-459.67";
    QTest::newRow("-300 C") << "Text1" << "-300" << "Text2" << "-508";
    QTest::newRow("100 F") << "Text2" << "100" << "Text1" << "37.7777777777778";
    QTest::newRow("0 F") << "Text2" << "0" << "Text1" << "-17.7777777777778";
    QTest::newRow("212 F") << "Text2" << "212" << "Text1" << "100";
    QTest::newRow("32 F") << "Text2" << "32" << "Text1" << "0";
    QTest::newRow("32.18 F") << "Text2" << "32.18" << "Text1" << "0.0999999999999998";
    QTest::newRow("tiny C") << "Text1" << "1e-20" << "Text2" << "32";
    QTest::newRow("exponent form") << "Text2" << "32.00000000000001" << "Text1" << "3.94745964311167E-15";
    QTest::newRow("tiny F") << "Text2" << "-1e-300" << "Text1" << "-17.7777777777778";
    QTest::newRow("huge C") << "Text1" << "1e300" << "Text2" << "1.8E+300";
}

void TestCalculator::convertsTemperature()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, other);
    QFETCH(QString, result);
    ShownCalculator w;
    w.enter(field, localised(typed));
    QCOMPARE(w.text(other), localised(result));
    QCOMPARE(w.text(field), localised(typed));
    for (const QString &name : lengthFields + massFields)
        QCOMPARE(w.text(name), QString());
}

void TestCalculator::reconvertsUneditedField_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("next");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("in, then ft") << "Text5" << "1" << "Text6" << QStringList{"Text5=0.99999996", "Text10=2.5399999"};
    QTest::newRow("lb, then tn") << "Text17" << "1" << "Text18"
                                 << QStringList{"Text18=0.0005", "Text17=1.00000045", "Text16=16.00000726",
                                                "Text14=7000.00185066", "Text20=7000.00185066"};
    QTest::newRow("C, then F") << "Text1" << "37" << "Text2" << QStringList{"Text1=37"};
    QTest::newRow("0.1 C, then F") << "Text1" << "0.1" << "Text2" << QStringList{"Text1=0.0999999999999998"};
}

void TestCalculator::reconvertsUneditedField()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, next);
    QFETCH(QStringList, expected);
    ShownCalculator w;
    w.enter(field, localised(typed));
    // Tab went on to the next field; leave that one too, without typing.
    QCOMPARE(QApplication::focusWidget(), w.field(next));
    w.leave(next);
    for (const auto &[name, text] : pairs(expected))
        QCOMPARE(w.text(name), localised(text));
}

void TestCalculator::bothGrainFieldsAgree_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("1") << "1";
    QTest::newRow("7000") << "7000";
    QTest::newRow("0.123456789") << "0.123456789";
    QTest::newRow("-15432.35808") << "-15432.35808";
}

void TestCalculator::bothGrainFieldsAgree()
{
    QFETCH(QString, typed);
    ShownCalculator avoirdupois;
    avoirdupois.enter(u"Text14"_s, localised(typed));
    ShownCalculator troy;
    troy.enter(u"Text20"_s, localised(typed));
    QCOMPARE(avoirdupois.texts(massFields), troy.texts(massFields));
    QCOMPARE(avoirdupois.text(u"Text14"_s), avoirdupois.text(u"Text20"_s));
}

void TestCalculator::keepsTypedTemperatureText()
{
    ShownCalculator w;
    w.enter(u"Text1"_s, u"037"_s);
    QCOMPARE(w.text(u"Text1"_s), u"037"_s);
    QCOMPARE(w.text(u"Text2"_s), localised(u"98.6"_s));
}

void TestCalculator::showsTheValueBehindTheFigure_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("expected"); // fields with a value behind the figure; the others have none
    QTest::newRow("0.0001 cm") << "Text10" << "0.0001"
                               << QStringList{"Text4=1E-9", "Text5=0.00003937007874", "Text6=0.000003280839895",
                                              "Text7=0.000001093613298", "Text8=6.2137119E-10",
                                              "Text9=5.399568034E-10"};
    QTest::newRow("1 mg as kg") << "Text12" << "0.000001"
                                << QStringList{"Text13=1E-9", "Text14=0.01543235808", "Text15=0.000564383488",
                                               "Text16=0.000035273968", "Text17=0.000002204623",
                                               "Text18=1.102311E-9", "Text19=9.84206E-10", "Text20=0.01543235808",
                                               "Text21=0.00064301492", "Text22=0.000032150746",
                                               "Text23=0.00000267922883333"};
    // Where the product has more than 8 places, rounding hid the rest.
    QTest::newRow("1 m") << "Text3" << "1"
                         << QStringList{"Text6=3.280839895", "Text7=1.093613298", "Text8=0.00062137119",
                                        "Text9=0.0005399568034"};
    QTest::newRow("1 C, never rounded") << "Text1" << "1" << QStringList{};
}

// The tooltip and the accessible description give the unrounded value where
// rounding to 8 places changed what a field shows; a refusal says more while
// it stands.
void TestCalculator::showsTheValueBehindTheFigure()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QStringList, expected);
    ShownCalculator w;
    w.enter(field, localised(typed));
    const QStringList group = lengthFields.contains(field) ? lengthFields
                              : massFields.contains(field) ? massFields
                                                           : QStringList{u"Text1"_s, u"Text2"_s};
    const Expected behind = pairs(expected);
    for (const QString &name : group) {
        const auto it = std::find_if(behind.begin(), behind.end(), [&](const auto &p) { return p.first == name; });
        const QString description = it == behind.end() ? QString() : u"Ungerundet: "_s + localised(it->second);
        QCOMPARE(w.field(name)->accessibleDescription() + u" in "_s + name, description + u" in "_s + name);
        QCOMPARE(w.field(name)->toolTip(), description);
    }
    if (behind.isEmpty())
        return;
    // Edited, the field's figure is the user's own; refused, it explains why.
    const QString first = behind.front().first;
    w.type(first, u"abc"_s);
    QCOMPARE(w.field(first)->accessibleDescription(), QString());
    w.leave(first);
    QVERIFY(w.field(first)->accessibleDescription().startsWith(u"Keine gültige Zahl"_s));
}

void TestCalculator::badTextChangesNothing_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    const QStringList bad{" ", "   ", "abc", "inf", "nan", "infinity", "0x10", "-", "+", "1e", "1..2", "12 m"};
    // The base unit fields pass their text on unparsed, the others parse on entry.
    for (const QString &field : {u"Text10"_s, u"Text3"_s, u"Text12"_s, u"Text17"_s, u"Text1"_s, u"Text2"_s}) {
        for (const QString &text : bad)
            QTest::addRow("%s '%s'", qPrintable(field), qPrintable(text)) << field << text;
    }
}

void TestCalculator::badTextChangesNothing()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    leaveWithBadText(field, localised(typed), u"Keine Zahl, z. B. 1"_s + QLocale().decimalPoint() + u"5"_s);
}

// Fills the field's group, then leaves the field with the bad text: every
// field keeps its text, the program goes on and the note names the field.
void TestCalculator::leaveWithBadText(const QString &field, const QString &typed, const QString &note)
{
    const QStringList group = field == u"Text1"_s || field == u"Text2"_s ? QStringList{u"Text1"_s, u"Text2"_s}
                              : lengthFields.contains(field)              ? lengthFields
                                                                           : massFields;
    ShownCalculator w;
    w.enter(field, u"1"_s);
    w.type(field, typed);
    // Clicking into the field left the one Tab had moved to; that counts as well.
    QStringList before = w.texts(group);
    w.leave(field);
    QCOMPARE(w.texts(group), before);
    QVERIFY(w.refused(field));
    QCOMPARE(w.note(), w.unit(field) + u":\n"_s + note);
    QVERIFY(!w.field(field)->accessibleDescription().isEmpty());
    QVERIFY(w.calculator.isVisible());
}

void TestCalculator::refusalSaysWhatIsWrong_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("note");
    QTest::newRow("kg, carat product") << "Text12" << "1e305" << "Zahl zu groß";
    QTest::newRow("kg, grain product only") << "Text12" << "2e304" << "Zahl zu groß";
    QTest::newRow("t, entry") << "Text13" << "1e306" << "Zahl zu groß";
    QTest::newRow("lb, grain product") << "Text17" << "1e305" << "Zahl zu groß";
    QTest::newRow("km, entry") << "Text4" << "1e304" << "Zahl zu groß";
    QTest::newRow("C, times 9") << "Text1" << "1e308" << "Zahl zu groß";
    QTest::newRow("F, times 5") << "Text2" << "-1e308" << "Zahl zu groß";
    QTest::newRow("kg, parse") << "Text12" << "1e309" << "Zahl zu groß";
    QTest::newRow("cm, parse") << "Text10" << "1e400" << "Zahl zu groß";
    QTest::newRow("m, parse") << "Text3" << "-1e400" << "Zahl zu groß";
    QTest::newRow("m, 1.5 or 1500") << "Text3" << "1,500" << "1.5 oder 1500?";
    QTest::newRow("cm, -0.25 or -250") << "Text10" << " -0,250 " << "-0.25 oder -250?";
    QTest::newRow("F, 98.6 or 98600") << "Text2" << "98,600" << "98.6 oder 98600?";
    QTest::newRow("kg, groups of two") << "Text12" << "1,23,456" << "Gruppen falsch, z. B. 1,234.5";
    QTest::newRow("lb, one kind twice") << "Text17" << "1.2.3" << "Gruppen falsch, z. B. 1,234.5";
    QTest::newRow("C, groups and an exponent") << "Text1" << "1,234,567e3" << "Gruppen falsch, z. B. 1,234.5";
}

void TestCalculator::refusalSaysWhatIsWrong()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, note);
    // The note's figures in the locale's form.
    QStringList words = note.split(u' ');
    for (QString &word : words) {
        if (std::any_of(word.cbegin(), word.cend(), [](QChar c) { return c.isDigit(); }))
            word = localised(word);
    }
    leaveWithBadText(field, localised(typed), words.join(u' '));
}

void TestCalculator::emptyFieldChangesNothing()
{
    ShownCalculator w;
    w.enter(u"Text3"_s, u"1"_s);
    const QStringList before = w.texts(lengthFields);
    w.enter(u"Text5"_s, QString());
    QCOMPARE(w.text(u"Text5"_s), QString());
    QStringList expected = before;
    expected[lengthFields.indexOf(u"Text5"_s)].clear();
    QCOMPARE(w.texts(lengthFields), expected);
}

void TestCalculator::noticeGoesOnEditOrSuccess()
{
    ShownCalculator w;
    w.enter(u"Text3"_s, u"abc"_s);
    QCOMPARE(w.note(), u"Meter:\nKeine Zahl, z. B. 1"_s + QLocale().decimalPoint() + u"5"_s);
    QVERIFY(w.field(u"Text3"_s)->accessibleDescription().startsWith(u"Keine gültige Zahl"_s));
    // Focus stayed where the Tab sent it.
    QCOMPARE(QApplication::focusWidget(), w.field(u"Text4"_s));

    // Typing in the field takes the note away.
    w.type(u"Text3"_s, u"x"_s);
    QCOMPARE(w.note(), QString());
    QVERIFY(w.field(u"Text3"_s)->accessibleDescription().isEmpty());
    w.leave(u"Text3"_s);
    QVERIFY(w.refused(u"Text3"_s));

    // Another field's conversion rewrites it with a number: the note goes too.
    w.enter(u"Text5"_s, u"1"_s);
    QVERIFY(!w.refused(u"Text3"_s));
    QCOMPARE(w.note(), QString());
    QCOMPARE(w.text(u"Text3"_s), localised(u"0.0254"_s));
}

void TestCalculator::everyKindOfEditIsTheUsers_data()
{
    QTest::addColumn<QString>("how");
    for (const char *how : {"typed", "pasted", "dropped", "setText", "insertText", "deleteText", "replaceText"})
        QTest::newRow(how) << how;
}

// However the user changes a field's text, by keys, by pasting, or through
// its accessible interface (a screen reader, dictation, UI Automation), the
// refusal and the value behind a figure go with the text they were about.
void TestCalculator::everyKindOfEditIsTheUsers()
{
    QFETCH(QString, how);
    ShownCalculator w;
    const auto edit = [&](const QString &name) {
        QAccessibleInterface *field = QAccessible::queryAccessibleInterface(w.field(name));
        QAccessibleEditableTextInterface *editable = field->editableTextInterface();
        QVERIFY(editable);
        if (how == u"typed")
            w.type(name, u"7"_s);
        else if (how == u"pasted")
            w.paste(name, u"7"_s);
        else if (how == u"dropped")
            w.drop(name, u"7"_s);
        else if (how == u"setText")
            field->setText(QAccessible::Value, u"7"_s);
        else if (how == u"insertText")
            editable->insertText(0, u"7"_s);
        else if (how == u"deleteText")
            editable->deleteText(0, 1);
        else
            editable->replaceText(0, 1, u"7"_s);
    };
    w.enter(u"Text3"_s, u"abc"_s);
    QVERIFY(w.refused(u"Text3"_s));
    edit(u"Text3"_s);
    QVERIFY(!w.refused(u"Text3"_s));
    QCOMPARE(w.note(), QString());
    QCOMPARE(w.field(u"Text3"_s)->accessibleDescription(), QString());

    w.enter(u"Text3"_s, u"1"_s);
    QVERIFY(w.field(u"Text6"_s)->accessibleDescription().startsWith(u"Ungerundet: "_s));
    edit(u"Text6"_s);
    QCOMPARE(w.field(u"Text6"_s)->accessibleDescription(), QString());
    if (how != u"dropped")
        return;
    // Dropped on a figure, a text takes its place and brings the focus, so
    // that leaving the field converts it.
    QCOMPARE(w.text(u"Text6"_s), u"7"_s);
    QCOMPARE(QApplication::focusWidget(), w.field(u"Text6"_s));
    w.leave(u"Text6"_s);
    QCOMPARE(w.text(u"Text10"_s), localised(u"213.36"_s));
}

// Two refused fields: the later note shows; when it goes, the earlier
// one, which still stands, shows again.
// Qt's own texts, a field's context menu, in the user's language.
void TestCalculator::qtSpeaksTheUsersLanguage()
{
    ShownCalculator w;
    const std::unique_ptr<QMenu> menu(w.field(u"Text3"_s)->createStandardContextMenu());
    QStringList said;
    for (const QAction *action : menu->actions()) {
        if (!action->isSeparator())
            said << action->text().remove(u'&').section(u'\t', 0, 0);
    }
    if (QLocale().language() == QLocale::German)
        QCOMPARE(said, (QStringList{u"Rückgängig"_s, u"Wiederherstellen"_s, u"Ausschneiden"_s, u"Kopieren"_s,
                                    u"Einfügen"_s, u"Löschen"_s, u"Alles auswählen"_s}));
    else
        QCOMPARE(said, (QStringList{u"Undo"_s, u"Redo"_s, u"Cut"_s, u"Copy"_s, u"Paste"_s, u"Delete"_s,
                                    u"Select All"_s}));

    // Qt in Arabic turns its widgets right to left; the window's captions
    // are German, and stay left to right.
    const DefaultLocale arabic(QLocale(QLocale::Arabic, QLocale::Egypt));
    ShownCalculator rtl;
    const std::unique_ptr<QMenu> arabicMenu(rtl.field(u"Text3"_s)->createStandardContextMenu());
    QVERIFY(!arabicMenu->actions().constFirst()->text().contains(u"Undo"_s));
    QTRY_COMPARE(QGuiApplication::layoutDirection(), Qt::RightToLeft);
    for (const char *name : {"Frame1", "Label3", "Text3", "Close"})
        QCOMPARE(rtl.child(QString::fromLatin1(name))->layoutDirection(), Qt::LeftToRight);
}

void TestCalculator::noteShowsTheLatestStandingRefusal()
{
    ShownCalculator w;
    const QString notANumber = u"Keine Zahl, z. B. 1"_s + QLocale().decimalPoint() + u"5"_s;
    w.enter(u"Text3"_s, u"abc"_s);
    w.enter(u"Text17"_s, u"1e400"_s);
    QCOMPARE(w.note(), u"Pound [lb]:\nZahl zu groß"_s);
    w.type(u"Text17"_s, QString()); // emptied: nothing to refuse when it is left
    QCOMPARE(w.note(), u"Meter:\n"_s + notANumber);
    QVERIFY(!w.refused(u"Text17"_s));
    w.enter(u"Text3"_s, u"1"_s);
    QCOMPARE(w.note(), QString());
}

void TestCalculator::typingAloneConvertsNothing()
{
    ShownCalculator w;
    w.type(u"Text3"_s, u"1"_s);
    QCOMPARE(w.text(u"Text10"_s), QString());
    w.leave(u"Text3"_s);
    QCOMPARE(w.text(u"Text10"_s), u"100"_s);
}

void TestCalculator::leavingByShiftTabOrClickConverts()
{
    ShownCalculator w;
    w.type(u"Text4"_s, u"2"_s);
    w.leave(u"Text4"_s, Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), w.field(u"Text3"_s));
    QCOMPARE(w.text(u"Text3"_s), u"2000"_s);

    // A click on a field of another group leaves the field as well.
    w.type(u"Text3"_s, u"3"_s);
    QTest::mouseClick(w.field(u"Text17"_s), Qt::LeftButton);
    QTRY_COMPARE(QApplication::focusWidget(), w.field(u"Text17"_s));
    QCOMPARE(w.text(u"Text10"_s), u"300"_s);
    QCOMPARE(w.text(u"Text17"_s), QString());
}

void TestCalculator::otherWindowMenuOrCloseConvertNothing()
{
    ShownCalculator w;
    w.type(u"Text3"_s, u"1"_s);

    QMenu menu;
    menu.addAction(u"Kopieren"_s);
    menu.popup(w.field(u"Text3"_s)->mapToGlobal(QPoint(5, 5)));
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
    menu.close();
    QCOMPARE(w.text(u"Text10"_s), QString());

    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QCOMPARE(w.text(u"Text10"_s), QString());
    w.calculator.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w.calculator));
    QCOMPARE(w.text(u"Text10"_s), QString());
    QTRY_COMPARE(QApplication::focusWidget(), w.field(u"Text3"_s));

    w.calculator.close();
    QCOMPARE(w.text(u"Text10"_s), QString());
}

void TestCalculator::enterAndEscapeDoNothing()
{
    ShownCalculator w;
    auto *button = w.calculator.findChild<QPushButton *>(u"Close"_s);
    QVERIFY(!button->isDefault());
    QVERIFY(!button->autoDefault());
    QSignalSpy clicked(button, &QPushButton::clicked);
    w.type(u"Text3"_s, u"1"_s);
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
        QTest::keyClick(w.field(u"Text3"_s), key);
    QCOMPARE(clicked.count(), 0);
    QVERIFY(w.calculator.isVisible());
    QCOMPARE(QApplication::focusWidget(), w.field(u"Text3"_s));
    QCOMPARE(w.text(u"Text3"_s), u"1"_s);
    QCOMPARE(w.text(u"Text10"_s), QString());
    // Nor on the focused button itself.
    button->setFocus();
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter})
        QTest::keyClick(button, key);
    QCOMPARE(clicked.count(), 0);
    QTest::keyClick(button, Qt::Key_Space);
    QCOMPARE(clicked.count(), 1);
}

void TestCalculator::buttonClosesWindow()
{
    ShownCalculator w;
    w.type(u"Text3"_s, u"1"_s);
    // The click leaves the field first, as any click on another control does.
    QTest::mouseClick(w.calculator.findChild<QPushButton *>(u"Close"_s), Qt::LeftButton);
    QVERIFY(!w.calculator.isVisible());
    QVERIFY(noWindowShown());
    QCOMPARE(w.text(u"Text10"_s), u"100"_s);
}

void TestCalculator::closeCommandClosesWindow()
{
    ShownCalculator w;
    w.type(u"Text12"_s, u"1"_s);
    QVERIFY(w.calculator.windowHandle()->close());
    QVERIFY(!w.calculator.isVisible());
    QVERIFY(noWindowShown());
    QCOMPARE(w.text(u"Text11"_s), QString());
}

QTEST_MAIN(TestCalculator)
#include "tst_calculator.moc"
