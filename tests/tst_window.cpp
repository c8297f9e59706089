// SPDX-License-Identifier: GPL-3.0-or-later
// The window's layout, focus order, captions, colours and accessible names.
#include <algorithm>
#include <functional>
#include <memory>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTest>
#include <qpa/qwindowsysteminterface.h>

#include "colours.h"
#include "fieldnote.h"
#include "fontfit.h"
#include "layout.h"
#include "localised.h"
#include "shownwindow.h"

using namespace Qt::StringLiterals;

namespace {

// The order Tab walks, wrapping at the end.
const QStringList focusOrder{"Text1",  "Text2",  "Text3",  "Text4",  "Text5",  "Text6",  "Text7",
                             "Text8",  "Text9",  "Text10", "Close",  "Text11", "Text12", "Text13",
                             "Text14", "Text15", "Text16", "Text17", "Text18", "Text19", "Text20",
                             "Text21", "Text22", "Text23", "Text24"};

// What a widget paints that is not its background: how many pixels, where,
// and the one that stands out most from the background.
struct Ink {
    int pixels = 0;
    QRect box;
    QColor strongest;
};

Ink inkOf(const QImage &image, const std::function<bool(QColor)> &isInk)
{
    Ink ink;
    const QColor background = image.pixelColor(0, 0);
    double best = 1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (!isInk(c))
                continue;
            ++ink.pixels;
            ink.box |= QRect(x, y, 1, 1);
            if (const double contrast = colours::contrast(c, background); contrast > best) {
                best = contrast;
                ink.strongest = c;
            }
        }
    }
    return ink;
}

// A label's text as painted: everything not in its background colour.
Ink inkOf(QWidget *widget)
{
    const QImage image = widget->grab().toImage();
    const QRgb background = image.pixel(0, 0);
    return inkOf(image, [background](QColor c) { return c.rgb() != background; });
}

// The same label with room to spare: what it paints when nothing cuts it off.
std::unique_ptr<QLabel> unclipped(const QLabel *label)
{
    auto copy = std::make_unique<QLabel>(label->text());
    copy->setTextFormat(label->textFormat());
    copy->setAlignment(label->alignment());
    copy->setWordWrap(label->wordWrap());
    copy->setFont(label->font());
    copy->setPalette(label->palette());
    copy->resize(label->wordWrap() ? label->width() : 4 * label->width(), 4 * label->height());
    return copy;
}

// A field's text in a colour no style uses, so that its pixels can be told
// from the field's frame and background.
bool magenta(QColor c)
{
    return c.red() - c.green() > 40 && c.blue() - c.green() > 40;
}

Ink valueInk(QLineEdit *field, const QString &value)
{
    QPalette palette = field->palette();
    palette.setColor(QPalette::Text, QColor(255, 0, 255));
    field->setPalette(palette);
    field->setText(value);
    field->setCursorPosition(0);
    return inkOf(field->grab().toImage(), magenta);
}

// The bands of rows that hold ink, top to bottom: a wrapped text's lines.
QList<QRect> inkLines(const QImage &image)
{
    const QRgb background = image.pixel(0, 0);
    QList<QRect> lines;
    bool inLine = false;
    for (int y = 0; y < image.height(); ++y) {
        QRect row;
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != background)
                row |= QRect(x, y, 1, 1);
        }
        if (!row.isNull() && inLine)
            lines.back() |= row;
        else if (!row.isNull())
            lines << row;
        inLine = !row.isNull();
    }
    return lines;
}

// The desktop's look for one test: its font and style with the style's own
// palette, put back afterwards.
class Desktop
{
public:
    Desktop(const QFont &font, const QString &style, const QPalette *palette = nullptr)
        : m_font(QApplication::font())
    {
        QApplication::setStyle(style);
        QApplication::setPalette(palette ? *palette : QApplication::style()->standardPalette());
        QApplication::setFont(font);
    }
    ~Desktop()
    {
        QApplication::setStyle(u"Fusion"_s);
        QApplication::setPalette(QApplication::style()->standardPalette());
        QApplication::setFont(m_font);
    }

private:
    QFont m_font;
};

// The sub-headings as painted: readable on the window (thin strokes paint
// lighter than their colour, so the strongest pixel counts) and apart from
// the captions' colour.
void subHeadingsRead(QWidget *calculator)
{
    const QColor window = calculator->palette().color(QPalette::Window);
    const QColor caption = calculator->palette().color(QPalette::WindowText);
    for (const QString &name : {u"Label12"_s, u"Label16"_s, u"Label23"_s}) {
        const QColor painted = inkOf(calculator->findChild<QLabel *>(name)).strongest;
        QVERIFY2(colours::contrast(painted, window) >= 4.5, qPrintable(name + u' ' + painted.name()));
        QVERIFY2(colours::contrast(painted, caption) >= 1.5, qPrintable(painted.name() + u' ' + caption.name()));
    }
}

// The styles a window gets from the desktop: GNOME's and Fusion on Linux,
// and on Windows the ones Qt picks there.
QStringList desktopStyles()
{
#ifdef Q_OS_WIN
    return {u"Fusion"_s, u"windowsvista"_s, u"windows11"_s};
#else
    return {u"Fusion"_s, u"Adwaita"_s, u"Adwaita-Dark"_s};
#endif
}

// Rows of the desktops the window must fit: a font, its size and a style,
// with the text scaled (GNOME's Large Text: 1.25, as a font DPI of 120) on
// a screen of ample room.
void addDesktopRows()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("style");
    QTest::addColumn<qreal>("textScale");
    QTest::addColumn<QSize>("screen");
    for (const QString &style : desktopStyles()) {
        for (const char *family : {"DejaVu Sans", "Noto Sans", "Liberation Sans", "Cantarell"}) {
            for (const int size : {9, 10, 11, 14})
                QTest::addRow("%s %d, %s", family, size, qPrintable(style)) << family << size << style << 1.0 << QSize();
        }
    }
}

// The room of an ample screen, where no window of these rows meets an edge.
const QSize ampleScreen(1920, 1200);

// The primary screen at this size, its room the whole of it, as a
// platform tells a change of screen.
void setScreen(QSize size)
{
    QWindowSystemInterface::handleScreenGeometryChange(QGuiApplication::primaryScreen(), QRect(QPoint(), size),
                                                       QRect(QPoint(), size));
    QWindowSystemInterface::flushWindowSystemEvents();
}

// The room the screen leaves a window, less its frame.
QSize roomFor(const QWidget &window)
{
    return window.screen()->availableGeometry().size() - (window.frameGeometry().size() - window.size());
}

// The row's desktop font.
QFont rowFont()
{
    QFETCH(QString, family);
    QFETCH(int, size);
    QFETCH(qreal, textScale);
    QFont font(family);
    font.setPointSizeF(size * textScale);
    return font;
}

// The desktop of the row under test.
class RowDesktop : public Desktop
{
public:
    RowDesktop()
        : Desktop(rowFont(), rowStyle())
    {
    }

private:
    static QString rowStyle()
    {
        QFETCH(QString, style);
        return style;
    }
};

QPalette darkPalette()
{
    QPalette dark(QColor(0x35, 0x35, 0x35));
    dark.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xee));
    dark.setColor(QPalette::Base, QColor(0x2a, 0x2a, 0x2a));
    dark.setColor(QPalette::Text, QColor(0xee, 0xee, 0xee));
    dark.setColor(QPalette::Shadow, Qt::black);
    return dark;
}

// A desktop as the window meets it: font, style, palette, locale.
struct Look {
    QFont font;
    QString style;
    bool dark = false;
    QLocale locale = QLocale::c();
    qreal dpi = 96; // the screen's logical DPI
};

Look look(const char *family, int size, const QString &style, bool dark = false, QLocale locale = QLocale::c(),
          qreal dpi = 96)
{
    QFont font(QString::fromLatin1(family));
    if (size < 0)
        font.setPixelSize(-size);
    else
        font.setPointSize(size);
    return {font, style, dark, locale, dpi};
}

// Puts the look in force as a desktop does while programs run: the platform
// theme makes the style anew, sets palette and font, and tells every widget
// that the theme changed, whether anything changed or not; a new system
// locale reaches every window.
void apply(const Look &look)
{
    QScreen *screen = QGuiApplication::primaryScreen();
    if (screen->logicalDotsPerInch() != look.dpi) {
        // A new DPI takes the platform's geometry back.
        QWindowSystemInterface::handleScreenLogicalDotsPerInchChange(screen, look.dpi, look.dpi);
        setScreen(ampleScreen);
    }
    QApplication::setStyle(look.style);
    const QPalette palette = look.dark ? darkPalette() : QApplication::style()->standardPalette();
    QApplication::setPalette(palette);
    // A theme that gives one palette for every kind of widget (qt6ct) has it
    // set for each class too.
    for (const char *className : {"QLabel", "QLineEdit", "QGroupBox", "QAbstractButton"})
        QApplication::setPalette(palette, className);
    QApplication::setFont(look.font);
    const QWidgetList widgets = QApplication::allWidgets();
    for (QWidget *widget : widgets) {
        QEvent themeChange(QEvent::ThemeChange);
        QCoreApplication::sendEvent(widget, &themeChange);
    }
    if (look.locale != QLocale()) {
        QLocale::setDefault(look.locale);
        QEvent localeChange(QEvent::LocaleChange);
        QCoreApplication::sendEvent(qApp, &localeChange);
    }
    QCoreApplication::processEvents();
}

// What a user sees of the window, control by control: places, font,
// colours of the sub-headings, a refused field and the note, and each
// field's text with its tooltip, which gives a figure cut short whole.
QStringList seen(const Calculator &calculator, bool figures)
{
    QStringList facts{u"size %1x%2"_s.arg(calculator.width()).arg(calculator.height()),
                      u"font "_s + calculator.font().toString()};
    const auto rgb = [](const QWidget *w, QPalette::ColorRole role) {
        return w->palette().color(QPalette::Active, role).name();
    };
    for (const layout::Control &c : layout::controls) {
        const auto *w = calculator.findChild<QWidget *>(QString::fromLatin1(c.name));
        QString fact = QString::fromLatin1(c.name) + u' ' + QString::number(w->x()) + u',' + QString::number(w->y())
            + u' ' + QString::number(w->width()) + u'x' + QString::number(w->height());
        if (c.kind == layout::Kind::SubHeading)
            fact += u' ' + rgb(w, QPalette::WindowText);
        if (c.kind == layout::Kind::Field) {
            fact += u' ' + rgb(w, QPalette::Base) + u' ' + rgb(w, QPalette::Text);
            if (figures)
                fact += u' ' + static_cast<const QLineEdit *>(w)->text() + u' ' + w->toolTip();
        }
        facts << fact;
    }
    const auto *note = calculator.findChild<QLabel *>(u"Note"_s);
    facts << u"note %1 %2 %3"_s.arg(note && note->isVisible()).arg(note ? rgb(note, QPalette::WindowText) : QString(),
                                                                    note ? rgb(note, QPalette::Window) : QString());
    if (note)
        facts << u"note at %1,%2 %3x%4"_s.arg(note->x()).arg(note->y()).arg(note->width()).arg(note->height());
    return facts;
}

} // namespace

Q_DECLARE_METATYPE(Look)

class TestWindow final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { setScreen(ampleScreen); }
    void captionsAreTheLayouts_data();
    void captionsAreTheLayouts();
    void controlsLineUp();
    void hasFixedSizeCentredTitleAndIcon_data();
    void hasFixedSizeCentredTitleAndIcon();
    void fontFollowsTheRule_data() { addDesktopRows(); }
    void fontFollowsTheRule();
    void pixelSizedFontFitsLikeItsPointSize_data();
    void pixelSizedFontFitsLikeItsPointSize();
    void windowGrowsAsOne_data();
    void windowGrowsAsOne();
    void captionsPaintWhole_data();
    void captionsPaintWhole();
    void hintHeadingStandsAlone_data() { addDesktopRows(); }
    void hintHeadingStandsAlone();
    void subHeadingsReadOnEveryDesktop_data() { addDesktopRows(); }
    void subHeadingsReadOnEveryDesktop();
    void fieldShowsTwoDigitsAndEightPlaces_data() { addDesktopRows(); }
    void fieldShowsTwoDigitsAndEightPlaces();
    void noteCoversNothingAndShowsWhole_data() { addDesktopRows(); }
    void noteCoversNothingAndShowsWhole();
    void wideFigureEndsInAnEllipsis_data();
    void wideFigureEndsInAnEllipsis();
    void tabWalksTheFocusOrder_data();
    void tabWalksTheFocusOrder();
    void labelAndFrameClicksKeepFocus();
    void focusedWideFigureShowsItsStart();
    void figuresStayWhole_data();
    void figuresStayWhole();
    void fieldsAreNamedForScreenReaders();
    void subHeadingColour_data();
    void subHeadingColour();
    void subHeadingsReadOnEveryStyle_data();
    void subHeadingsReadOnEveryStyle();
    void liveChangeIsAFreshStart_data();
    void liveChangeIsAFreshStart();
};

void TestWindow::captionsAreTheLayouts_data()
{
    QTest::addColumn<QString>("caption");
    const QString hint = "Hinweis zum Gebrauch:" + QString(31, u' ') + "Die Umrechnung erfolgt beim Verlassen eines jeden Eingabefeldes.";
    const char *const captions[][2] = {
        {"Frame1", "Temperatur"}, {"Frame2", "Längen"}, {"Frame3", "Gewichte"},
        {"Label1", "°C"}, {"Label2", "°F"}, {"Label10", "Zentimeter"}, {"Label3", "Meter"},
        {"Label4", "Kilometer"}, {"Label5", "Inches"}, {"Label6", "Feet"}, {"Label7", "Yards"},
        {"Label8", "Meilen"}, {"Label9", "Seemeilen"}, {"Label12", "Metrisches System"},
        {"Label13", "Gramm [g]"}, {"Label28", "metr. Carat [ct]"}, {"Label14", "Kilogramm [kg]"},
        {"Label15", "metr. Tonne [t]"}, {"Label16", "Avoirdupois-System (USA, UK)"}, {"Label17", "Grain [gr]"},
        {"Label18", "Dram [dr]"}, {"Label19", "Ounce [oz]"}, {"Label20", "Pound [lb]"},
        {"Label21", "Short ton [tn]"}, {"Label22", "Long ton [l.tn]"},
        {"Label23", "Troy-System für Gold, Silber und Edelsteine"}, {"Label24", "Grain [gr]"},
        {"Label25", "Pennyweight [pwt]"}, {"Label26", "Troy Ounce [oz]"}, {"Label27", "Troy Pound [lb]"},
        {"Close", "Schliessen"},
    };
    for (const auto &[name, caption] : captions)
        QTest::newRow(name) << QString::fromUtf8(caption);
    QTest::newRow("Label11") << hint;
}

void TestWindow::captionsAreTheLayouts()
{
    QFETCH(QString, caption);
    Calculator calculator;
    const QList<QWidget *> found = calculator.findChildren<QWidget *>(QString::fromLatin1(QTest::currentDataTag()));
    QCOMPARE(found.size(), 1);
    if (auto *frame = qobject_cast<QGroupBox *>(found.front()))
        QCOMPARE(frame->title(), caption);
    else if (auto *label = qobject_cast<QLabel *>(found.front()))
        QCOMPARE(label->text().remove(u'\n'), caption); // the hint may carry a line break
    else
        QCOMPARE(qobject_cast<QPushButton *>(found.front())->text(), caption);
}

// What a user sees of the layout, in the window of its own size: every
// control inside its frame, a field's label under it at its left edge
// (beside it in the temperature group, overlapped by it), the fields in
// columns 88 pixels apart, the frames and the button down the window 7
// pixels apart, and no field, frame or button over another control.
void TestWindow::controlsLineUp()
{
    // A style that draws a frame's line through its title leaves the layout
    // as it is.
    Desktop look(QFont(u"Noto Sans"_s, 9), u"Windows"_s);
    ShownCalculator w;
    QCOMPARE(w.calculator.size(), QSize(450, 456));
    const auto place = [&](const QWidget *c) { return QRect(c->mapTo(&w.calculator, QPoint()), c->size()); };
    const auto controls = w.calculator.findChildren<QWidget *>(QRegularExpression(u"^(Frame|Label|Text)\\d+$|^Close$"_s));
    QCOMPARE(controls.size(), 56);
    const auto named = [](const QWidget *label) {
        const auto *l = qobject_cast<const QLabel *>(label);
        return l ? l->buddy() : nullptr;
    };
    for (const QWidget *c : controls) {
        QVERIFY2(c->parentWidget()->rect().contains(c->geometry()), qPrintable(c->objectName()));
        // Labels' boxes may reach past their captions into a neighbour's.
        for (const QWidget *other : controls) {
            if (other != c && other->parentWidget() == c->parentWidget() && !qobject_cast<const QLabel *>(c)
                && !qobject_cast<const QLabel *>(other))
                QVERIFY2(!c->geometry().intersects(other->geometry()), qPrintable(c->objectName() + u' ' + other->objectName()));
        }
    }
    for (const QString &name : lengthFields + massFields + QStringList{u"Text1"_s, u"Text2"_s}) {
        const QRect field = place(w.field(name));
        const auto label = std::find_if(controls.begin(), controls.end(), [&](QWidget *l) { return named(l) == w.field(name); });
        QVERIFY2(label != controls.end(), qPrintable(name));
        const QRect under = place(*label);
        if (name == u"Text1" || name == u"Text2") {
            QCOMPARE(under.topLeft(), QPoint(field.right(), field.top()));
            const QObjectList stack = w.field(name)->parentWidget()->children();
            QVERIFY(stack.indexOf(w.field(name)) > stack.indexOf(*label)); // drawn on top
        } else {
            QCOMPARE(under.topLeft(), field.bottomLeft() + QPoint(0, 1));
        }
        QCOMPARE((w.field(name)->x() - 8) % 88, 0);
    }
    const QRect frames[] = {place(w.child(u"Frame1"_s)), place(w.child(u"Frame2"_s)), place(w.child(u"Frame3"_s)),
                            place(w.child(u"Close"_s))};
    QCOMPARE(frames[0].topLeft(), QPoint(8, 8));
    for (int i = 1; i < 4; ++i)
        QCOMPARE(frames[i].top(), frames[i - 1].bottom() + 8);
    QCOMPARE(w.calculator.height() - frames[3].bottom() - 1, 7);
    QVERIFY(place(w.child(u"Label11"_s)).left() > frames[0].right());
}

void TestWindow::hasFixedSizeCentredTitleAndIcon_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("style");
    QTest::addColumn<qreal>("textScale");
    QTest::addColumn<QSize>("window");
    QTest::newRow("Noto Sans 9, Windows: the layout's size") << "Noto Sans" << 9 << "Windows" << 1.0 << QSize(450, 456);
#ifdef Q_OS_WIN
    // FreeType, as Qt's offscreen platform uses it on Windows, advances
    // glyphs by whole pixels: even at three quarters of its size DejaVu Sans
    // needs 63 pixels for "88,88888888", and a field gives 61; and a space
    // more between "Pennyweight [pwt]" and "Troy Ounce [oz]". Fusion keeps
    // room for the frames' contents 3 px lower than the layout has them,
    // Windows 11's 1 px.
    QTest::newRow("DejaVu Sans 14, Fusion") << "DejaVu Sans" << 14 << "Fusion" << 1.0 << QSize(680, 689);
    QTest::newRow("DejaVu Sans 9, Fusion: whole-pixel advances") << "DejaVu Sans" << 9 << "Fusion" << 1.0 << QSize(468, 483);
    QTest::newRow("Noto Sans 9, windows11") << "Noto Sans" << 9 << "windows11" << 1.0 << QSize(450, 459);
    QTest::newRow("DejaVu Sans 9, windowsvista") << "DejaVu Sans" << 9 << "windowsvista" << 1.0 << QSize(468, 474);
#else
    // Grown a little further than three quarters of the font needs, for a
    // space between "Pennyweight [pwt]" and "Troy Ounce [oz]".
    QTest::newRow("DejaVu Sans 14, Fusion") << "DejaVu Sans" << 14 << "Fusion" << 1.0 << QSize(698, 707);
    // Fusion keeps room for a frame's contents 4 px lower than the layout
    // has them at 7 points: each frame grows by that.
    QTest::newRow("DejaVu Sans 9, Fusion") << "DejaVu Sans" << 9 << "Fusion" << 1.0 << QSize(450, 468);
    QTest::newRow("Cantarell 9, Fusion") << "Cantarell" << 9 << "Fusion" << 1.0 << QSize(450, 468);
    QTest::newRow("Cantarell 11, Adwaita") << "Cantarell" << 11 << "Adwaita" << 1.0 << QSize(657, 666);
#endif
}

void TestWindow::hasFixedSizeCentredTitleAndIcon()
{
    QFETCH(QSize, window);
    const RowDesktop look;
    ShownCalculator w;
    QCOMPARE(w.calculator.windowTitle(), QString("Velmarin"));
    QCOMPARE(w.calculator.size(), window);
    QCOMPARE(w.calculator.minimumSize(), w.calculator.maximumSize());
    QCOMPARE(w.calculator.findChildren<QWidget *>().size(), 56);
    const QPoint centre = QApplication::primaryScreen()->availableGeometry().center();
    // Centred to within the window frame the platform adds.
    const QPoint offset = w.calculator.geometry().center() - centre;
    QVERIFY2(offset.manhattanLength() <= 8, qPrintable(QString("%1,%2").arg(offset.x()).arg(offset.y())));
    const QList<QSize> sizes = w.calculator.windowIcon().availableSizes();
    QCOMPARE(sizes, (QList<QSize>{{16, 16}, {24, 24}, {32, 32}}));
}

// The desktop's font where it fits, else shrunk by at most a quarter, else a
// quarter smaller in a window grown by one factor.
void TestWindow::fontFollowsTheRule()
{
    QFETCH(QString, style);
    const QFont desktop = rowFont();
    QCOMPARE(QFontInfo(desktop).family(), desktop.family()); // the font is installed
    Desktop look(desktop, style);
    QCOMPARE(QApplication::style()->name(), style.toLower());
    const qreal size = desktop.pointSizeF();
    QStyle *theStyle = QApplication::style();
    const fontfit::Fit fit = fontfit::fit(desktop, theStyle, ampleScreen);
    QCOMPARE(Calculator().font().pointSizeF(), fit.font.pointSizeF());
    QCOMPARE(fit.font.family(), desktop.family());
    QVERIFY(fit.found && !fit.bounded);
    QVERIFY(fit.font.pointSizeF() <= size && fit.font.pointSizeF() >= 0.75 * size);
    const double scale = fit.placement.scale;
    QVERIFY(fontfit::fits(fit.font, scale, theStyle));
    if (fit.font.pointSizeF() < size)
        QVERIFY(!fontfit::fits(desktop, 1, theStyle));
    QFont threeQuarters = desktop;
    threeQuarters.setPointSizeF(0.75 * size);
    if (fontfit::fits(threeQuarters, 1, theStyle))
        QCOMPARE(scale, 1.0);
    if (scale > 1) {
        QCOMPARE(fit.font.pointSizeF(), 0.75 * size);
        QVERIFY(!fontfit::fits(fit.font, scale - 0.01, theStyle));
    }
}

void TestWindow::pixelSizedFontFitsLikeItsPointSize_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("pixels");
    QTest::newRow("DejaVu Sans 12 px") << "DejaVu Sans" << 12;
    QTest::newRow("DejaVu Sans 19 px") << "DejaVu Sans" << 19;
    QTest::newRow("Noto Sans 16 px") << "Noto Sans" << 16;
    QTest::newRow("Cantarell 15 px") << "Cantarell" << 15;
}

// A desktop font given in pixels (qt6ct writes some so) gives way, and
// grows the window, as the same size given in points does.
void TestWindow::pixelSizedFontFitsLikeItsPointSize()
{
    QFETCH(QString, family);
    QFETCH(int, pixels);
    QFont inPixels(family);
    inPixels.setPixelSize(pixels);
    QFont inPoints(family);
    inPoints.setPointSizeF(QFontInfo(inPixels).pointSizeF());
    QStyle *style = QApplication::style();
    const fontfit::Fit byPixels = fontfit::fit(inPixels, style, ampleScreen);
    const fontfit::Fit byPoints = fontfit::fit(inPoints, style, ampleScreen);
    QVERIFY(fontfit::fits(byPixels.font, byPixels.placement.scale, style));
    QCOMPARE(byPixels.placement, byPoints.placement);
    QCOMPARE(QFontInfo(byPixels.font).pixelSize(), QFontInfo(byPoints.font).pixelSize());
}

void TestWindow::windowGrowsAsOne_data()
{
    addDesktopRows();
    // GNOME's own on a netbook's screen, and with Large Text on a laptop's.
    const QString gnome = desktopStyles()[1];
    QTest::newRow("Cantarell 11, GNOME's style, 1024 x 600") << "Cantarell" << 11 << gnome << 1.0 << QSize(1024, 600);
    QTest::newRow("Cantarell 11, GNOME's style, Large Text, 1280 x 720")
        << "Cantarell" << 11 << gnome << 1.25 << QSize(1280, 720);
    QTest::newRow("DejaVu Sans 14, Fusion, 1024 x 600") << "DejaVu Sans" << 14 << "Fusion" << 1.0 << QSize(1024, 600);
    // Desktops whose font is of another script: the captions are Latin.
    QTest::newRow("Noto Sans Tamil 9, Fusion") << "Noto Sans Tamil" << 9 << "Fusion" << 1.0 << QSize();
    QTest::newRow("Noto Sans Malayalam 9, Fusion") << "Noto Sans Malayalam" << 9 << "Fusion" << 1.0 << QSize();
}

// One factor for the window and all it holds, all of it inside its
// screen's room, and every frame's contents where the style keeps room
// for them.
void TestWindow::windowGrowsAsOne()
{
    QFETCH(QSize, screen);
    QFETCH(QString, family);
    QFETCH(int, size);
    setScreen(screen.isEmpty() ? ampleScreen : screen);
    const auto ample = qScopeGuard([] { setScreen(ampleScreen); });
    const RowDesktop look;
    ShownCalculator w;
    const fontfit::Fit fit = fontfit::fit(rowFont(), QApplication::style(), roomFor(w.calculator));
    QCOMPARE(w.calculator.size(), layout::clientSize(fit.placement));
    for (const layout::Control &c : layout::controls)
        QCOMPARE(w.child(QString::fromLatin1(c.name))->geometry(), layout::placeOf(c, fit.placement));
    QVERIFY(w.calculator.screen()->availableGeometry().contains(w.calculator.frameGeometry()));
    for (const char *name : {"Frame1", "Frame2", "Frame3"}) {
        const auto *frame = w.child<QGroupBox>(QString::fromLatin1(name));
        for (const QWidget *c : frame->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            QVERIFY2(frame->contentsRect().contains(c->geometry()), qPrintable(c->objectName()));
    }
    // Drawn by the Latin font the system falls back to, the captions need
    // no larger a window than that font's own.
    if (family.startsWith(u"Noto Sans ")) {
        QFont latin(u"Noto Sans"_s);
        latin.setPointSize(size);
        const QSize needed = layout::clientSize(fontfit::fit(latin, QApplication::style(), roomFor(w.calculator)).placement);
        QVERIFY2(w.calculator.width() <= needed.width() && w.calculator.height() <= needed.height(),
                 qPrintable(u"%1 x %2"_s.arg(w.calculator.width()).arg(w.calculator.height())));
    }
}

void TestWindow::captionsPaintWhole_data()
{
    addDesktopRows();
    // Qt gives every line this font's ascent and descent, far larger than
    // those of the Latin letters that draw the captions.
    QTest::newRow("Noto Sans Myanmar 9, Fusion") << "Noto Sans Myanmar" << 9 << "Fusion" << 1.0 << QSize();
}

// Every caption paints as it would with room to spare.
void TestWindow::captionsPaintWhole()
{
    const RowDesktop look;
    ShownCalculator w;
    const auto labels = w.calculator.findChildren<QLabel *>(QRegularExpression(u"^Label\\d+$"_s));
    QCOMPARE(labels.size(), 28);
    for (QLabel *label : labels) {
        const Ink painted = inkOf(label);
        const Ink whole = inkOf(unclipped(label).get());
        QVERIFY2(painted.pixels == whole.pixels && painted.box.size() == whole.box.size(), qPrintable(label->text()));
        // Nothing drawn over it, and a gap to the next caption in its row.
        const QRect ink = painted.box.translated(label->pos());
        for (const QWidget *other : label->parentWidget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            const QString pair = label->text() + u" / "_s + other->objectName();
            if (qobject_cast<const QLineEdit *>(other))
                QVERIFY2(!ink.intersects(other->geometry()), qPrintable(pair));
            const auto *neighbour = qobject_cast<const QLabel *>(other);
            if (neighbour && neighbour != label && neighbour->x() > label->x() && std::abs(neighbour->y() - label->y()) < 4)
                QVERIFY2(ink.right() + 1 < inkOf(const_cast<QLabel *>(neighbour)).box.left() + neighbour->x(), qPrintable(pair));
        }
    }
}

// The hint: its caption whole, the heading alone on the first line.
void TestWindow::hintHeadingStandsAlone()
{
    const RowDesktop look;
    ShownCalculator w;
    auto *hint = w.child<QLabel>(u"Label11"_s);
    QCOMPARE(hint->text().remove(u'\n').size(), 116);
    QLabel heading(u"Hinweis zum Gebrauch:"_s);
    heading.setFont(hint->font());
    heading.setPalette(hint->palette());
    const QList<QRect> lines = inkLines(unclipped(hint)->grab().toImage());
    QVERIFY(lines.size() >= 2);
    QCOMPARE(lines.front().width(), inkOf(&heading).box.width());
}

void TestWindow::subHeadingsReadOnEveryDesktop()
{
    const RowDesktop look;
    ShownCalculator w;
    subHeadingsRead(&w.calculator);
}

// A field shows two digits and eight places whole.
void TestWindow::fieldShowsTwoDigitsAndEightPlaces()
{
    const RowDesktop look;
    ShownCalculator w;
    const QString value = u"88.88888888"_s;
    QLineEdit roomy;
    roomy.setFont(w.field(u"Text3"_s)->font());
    roomy.resize(4 * w.field(u"Text3"_s)->width(), 3 * w.field(u"Text3"_s)->height());
    const Ink shown = valueInk(w.field(u"Text3"_s), value);
    const Ink whole = valueInk(&roomy, value);
    QVERIFY(whole.pixels > 0);
    QCOMPARE(shown.pixels, whole.pixels);
}

// The note on the field with the longest name covers no control and
// shows whole.
void TestWindow::noteCoversNothingAndShowsWhole()
{
    const RowDesktop look;
    ShownCalculator w;
    w.enter(u"Text14"_s, u"abc"_s);
    auto *note = w.child<QLabel>(u"Note"_s);
    QVERIFY(note && note->isVisible());
    QCOMPARE(note->text(), u"Grain [gr] (Avoirdupois):\nKeine Zahl, z. B. 1.5"_s);
    for (const layout::Control &c : layout::controls) {
        QWidget *control = w.child(QString::fromLatin1(c.name));
        const QRect at(control->mapTo(&w.calculator, QPoint(0, 0)), control->size());
        QVERIFY2(!at.intersects(note->geometry()), c.name);
    }
    const double scale = fontfit::fit(rowFont(), QApplication::style(), ampleScreen).placement.scale;
    FieldNote roomyNote(nullptr);
    roomyNote.place({2 * scale, {}, {}});
    roomyNote.setFont(note->font());
    roomyNote.setText(note->text());
    // Its text in a colour no style uses, told from the frame's edges and
    // the corners a style may round.
    const auto inside = [](QWidget *frame) {
        QPalette palette = frame->palette();
        palette.setColor(QPalette::WindowText, QColor(255, 0, 255));
        frame->setPalette(palette);
        const QImage image = frame->grab().toImage();
        return inkOf(image.copy(image.rect().adjusted(1, 1, -1, -1)), magenta);
    };
    QCOMPARE(inside(note).pixels, inside(&roomyNote).pixels);
}

void TestWindow::wideFigureEndsInAnEllipsis_data()
{
    QTest::addColumn<QString>("style");
    for (const QString &style : desktopStyles())
        QTest::newRow(qPrintable(style)) << style;
}

// Nothing of the characters that the ellipsis stands for shows, whatever
// colour the style gives a field (opaque, or translucent as Windows 11's)
// and wherever glyphs stand (at fractions of a pixel on scaled displays,
// which the suite is run at once more).
void TestWindow::wideFigureEndsInAnEllipsis()
{
    QFETCH(QString, style);
    Desktop look(QFont(u"Noto Sans"_s, 9), style);
    ShownCalculator w;
    const auto painted = [](QLineEdit *field) {
        QPalette palette = field->palette();
        palette.setColor(QPalette::Text, QColor(255, 0, 255));
        field->setPalette(palette);
        return field->grab().toImage();
    };
    int wide = 0;
    for (const QString &kilometres : {u"-1234567890"_s, u"987654.321"_s}) {
        w.enter(u"Text4"_s, kilometres);
        for (const QString &name : lengthFields) {
            Field *field = w.field(name);
            if (field->hasFocus() || field->fontMetrics().horizontalAdvance(field->text()) <= field->width())
                continue;
            ++wide;
            const QImage image = painted(field);
            const QRect ink = inkOf(image, magenta).box;
            // Characters reach the upper half of the line, the ellipsis stays
            // below it and is painted last.
            int lastUpper = -1;
            int last = -1;
            for (int x = ink.left(); x <= ink.right(); ++x) {
                for (int y = ink.top(); y <= ink.bottom(); ++y) {
                    if (!magenta(image.pixelColor(x, y)))
                        continue;
                    last = x;
                    if (y < ink.top() + ink.height() / 2)
                        lastUpper = x;
                }
            }
            QVERIFY2(last > lastUpper + 2, qPrintable(name + u' ' + field->text()));
            // Before the ellipsis, what a field showing only whole characters paints.
            int ellipsis = lastUpper + 1;
            while (ellipsis < last && inkOf(image.copy(ellipsis, 0, 1, image.height()), magenta).pixels == 0)
                ++ellipsis;
            const QImage before = image.copy(0, 0, ellipsis, image.height());
            bool whole = false;
            for (qsizetype n = 1; n < field->text().size() && !whole; ++n) {
                QLineEdit start;
                start.setFont(field->font());
                start.resize(field->size());
                start.setText(field->text().left(n));
                start.setCursorPosition(0);
                const QImage shown = painted(&start).copy(0, 0, ellipsis, image.height());
                whole = inkOf(shown, magenta).box == inkOf(before, magenta).box
                    && inkOf(shown, magenta).pixels == inkOf(before, magenta).pixels;
            }
            QVERIFY2(whole, qPrintable(name + u' ' + field->text()));
        }
    }
    QVERIFY(wide >= 4);
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

// A figure wider than its field, as Tab brings the focus to it: its sign and
// leading digits are painted where a field showing only them paints them.
void TestWindow::focusedWideFigureShowsItsStart()
{
    ShownCalculator w;
    w.enter(u"Text4"_s, u"-1234.5"_s);
    Field *inches = w.field(u"Text5"_s);
    QCOMPARE(QApplication::focusWidget(), inches);
    const QString figure = inches->text();
    QVERIFY(inches->fontMetrics().horizontalAdvance(figure) > inches->width());
    QLineEdit start;
    start.setFont(inches->font());
    start.resize(inches->size());
    start.setText(figure.left(5));
    // Selected text in the same colour as the rest, on the same background.
    const auto painted = [](QLineEdit *field) {
        QPalette palette = field->palette();
        palette.setColor(QPalette::Text, QColor(255, 0, 255));
        palette.setColor(QPalette::HighlightedText, QColor(255, 0, 255));
        palette.setColor(QPalette::Highlight, palette.color(QPalette::Base));
        field->setPalette(palette);
        return field->grab().toImage();
    };
    const QImage shown = painted(inches);
    const QImage leading = painted(&start);
    const QRect caret = inches->inputMethodQuery(Qt::ImCursorRectangle).toRect().adjusted(-1, 0, 1, 0);
    int inked = 0;
    int missing = 0;
    for (int y = 0; y < leading.height(); ++y) {
        for (int x = 0; x < leading.width(); ++x) {
            if (magenta(leading.pixelColor(x, y)) && !caret.contains(x, y)) {
                ++inked;
                missing += !magenta(shown.pixelColor(x, y));
            }
        }
    }
    QVERIFY(inked > 0);
    QCOMPARE(missing, 0);
}

void TestWindow::figuresStayWhole_data()
{
    QTest::addColumn<QString>("action");
    QTest::newRow("a figure's exponent stays after its ellipsis") << "exponent";
    QTest::newRow("a double click and a triple click take the whole figure") << "click";
    QTest::newRow("the keypad's point types German's comma") << ".";
    QTest::newRow("the keypad's comma types English's point") << ",";
}

// What a figure's field shows, what a click takes of it, and what the
// keypad's decimal key types into it, as the US and the German keyboard
// layouts have it.
void TestWindow::figuresStayWhole()
{
    QFETCH(QString, action);
    const DefaultLocale inLocale(action == u"," ? QLocale(QLocale::English, QLocale::UnitedStates)
                                               : QLocale(QLocale::German, QLocale::Germany));
    Desktop look(QFont(u"Noto Sans"_s, 9), u"Fusion"_s);
    ShownCalculator w;
    if (action == u"exponent") {
        // The field left shows its figure's start too, after a longer text of
        // the user's, shown scrolled to its end as it was typed.
        w.type(u"Text3"_s, u"1234567890123456789012345678901234567890"_s);
        w.field(u"Text3"_s)->grab();
        w.leave(u"Text3"_s);
        const auto painted = [](QLineEdit *field) {
            QPalette palette = field->palette();
            palette.setColor(QPalette::Text, QColor(255, 0, 255));
            field->setPalette(palette);
            return inkOf(field->grab().toImage(), magenta);
        };
        for (const auto &[name, exponent] : {std::pair(u"Text10"_s, u"E+41"_s), std::pair(u"Text3"_s, u"E+39"_s)}) {
            Field *field = w.field(name);
            QVERIFY(field->text().endsWith(exponent));
            // Painted as a line edit paints the figure's first digits, the
            // ellipsis and the exponent, all of it in view.
            const Ink shown = painted(field);
            bool found = false;
            for (qsizetype n = 2; !found; ++n) {
                QLineEdit start;
                start.setFont(field->font());
                start.resize(field->size());
                start.setText(field->text().left(n) + QChar(0x2026) + exponent);
                start.setCursorPosition(0);
                const Ink reference = painted(&start);
                start.resize(3 * start.width(), start.height());
                if (painted(&start).pixels != reference.pixels)
                    break;
                found = reference.box == shown.box && std::abs(reference.pixels - shown.pixels) <= 2;
            }
            QVERIFY2(found, qPrintable(name));
        }
        return;
    }
    if (action == u"click") {
        w.enter(u"Text3"_s, u"1"_s);
        Field *inches = w.field(u"Text5"_s);
        QCOMPARE(inches->text(), u"39,37007874"_s);
        const QPoint digits(inches->width() * 2 / 3, inches->height() / 2); // right of the comma
        QTest::mouseDClick(inches, Qt::LeftButton, {}, digits);
        QCOMPARE(inches->selectedText(), inches->text());
        inches->copy();
        QCOMPARE(QApplication::clipboard()->text(), u"39,37007874"_s);
        QTest::mouseClick(inches, Qt::LeftButton, {}, digits);
        QCOMPARE(inches->selectedText(), inches->text());
        // A click, not a double one, places the caret.
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        QTest::mouseClick(inches, Qt::LeftButton, {}, digits);
        QVERIFY(!inches->hasSelectedText());
        return;
    }
    Field *metres = w.field(u"Text3"_s);
    w.type(u"Text3"_s, u"1"_s);
    QTest::keyClick(metres, action == u"." ? Qt::Key_Period : Qt::Key_Comma, Qt::KeypadModifier);
    QTest::keyClick(metres, Qt::Key_5);
    QCOMPARE(metres->text(), localised(u"1.5"_s));
    w.leave(u"Text3"_s);
    QCOMPARE(w.text(u"Text10"_s), u"150"_s);
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

void TestWindow::subHeadingColour_data()
{
    QTest::addColumn<QPalette>("palette");
    QTest::addColumn<bool>("themeShadow");
    QTest::newRow("light, shadow too pale") << QApplication::style()->standardPalette() << false;
    QTest::newRow("dark, shadow as dark as the window") << darkPalette() << false;
    QPalette distinct = QApplication::style()->standardPalette();
    distinct.setColor(QPalette::Shadow, QColor(0x30, 0x30, 0x60));
    QTest::newRow("theme shadow of its own") << distinct << true;
    QPalette translucent = QApplication::style()->standardPalette();
    translucent.setColor(QPalette::Shadow, QColor(0, 0, 0, 0x19));
    QTest::newRow("translucent shadow") << translucent << false;
    QPalette likeText = QApplication::style()->standardPalette();
    likeText.setColor(QPalette::Shadow, likeText.color(QPalette::WindowText));
    QTest::newRow("shadow like the text") << likeText << false;
}

void TestWindow::subHeadingColour()
{
    QFETCH(QPalette, palette);
    QFETCH(bool, themeShadow);
    const QColor colour = colours::subHeading(palette);
    QVERIFY(colours::contrast(colour, palette.color(QPalette::Window)) >= 4.5);
    QVERIFY(colours::contrast(colour, palette.color(QPalette::WindowText)) >= 1.5);
    QCOMPARE(colour == palette.color(QPalette::Shadow), themeShadow);
    QCOMPARE(colours::contrast(Qt::black, Qt::white), 21.0);
}

void TestWindow::subHeadingsReadOnEveryStyle_data()
{
    QTest::addColumn<QString>("style");
    QTest::addColumn<bool>("dark");
    QStringList styles = desktopStyles();
    styles.append(u"Windows"_s);
    for (const QString &style : std::as_const(styles)) {
        QTest::addRow("%s, its own palette", qPrintable(style)) << style << false;
        QTest::addRow("%s, a dark palette", qPrintable(style)) << style << true;
    }
}

// As painted; the dark palette comes while the window is open, as when the
// desktop switches to a dark theme.
void TestWindow::subHeadingsReadOnEveryStyle()
{
    QFETCH(QString, style);
    QFETCH(bool, dark);
    Desktop look(QFont(u"DejaVu Sans"_s, 9), style);
    Calculator calculator;
    if (dark)
        QApplication::setPalette(darkPalette());
    subHeadingsRead(&calculator);
}

void TestWindow::liveChangeIsAFreshStart_data()
{
    QTest::addColumn<Look>("before");
    QTest::addColumn<Look>("after");
    const QStringList styles = desktopStyles();
    const QLocale en(QLocale::English, QLocale::UnitedStates);
    const QLocale de(QLocale::German, QLocale::Germany);
    QTest::newRow("palette light to dark") << look("Noto Sans", 10, styles[0]) << look("Noto Sans", 10, styles[0], true);
    QTest::newRow("palette dark to light") << look("Noto Sans", 10, styles[0], true) << look("Noto Sans", 10, styles[0]);
    QTest::addRow("style %s to %s", qPrintable(styles[0]), qPrintable(styles[2]))
        << look("Noto Sans", 10, styles[0]) << look("Noto Sans", 10, styles[2]);
    QTest::newRow("font in points larger") << look("Noto Sans", 10, styles[0]) << look("Cantarell", 14, styles[0]);
    QTest::newRow("font in points smaller") << look("DejaVu Sans", 14, styles[0]) << look("Noto Sans", 9, styles[0]);
    QTest::newRow("font in pixels") << look("Noto Sans", -13, styles[0]) << look("Noto Sans", -19, styles[0]);
    QTest::newRow("screen of 96 dpi to 144 dpi") << look("Noto Sans", 10, styles[0])
                                                 << look("Noto Sans", 10, styles[0], false, QLocale::c(), 144);
    QTest::newRow("locale en_US to de_DE") << look("Noto Sans", 10, styles[0], false, en)
                                           << look("Noto Sans", 10, styles[0], false, de);
}

// After a change of the desktop the window is what a fresh start on the new
// desktop shows, with what the user typed, converted and was refused.
void TestWindow::liveChangeIsAFreshStart()
{
    QFETCH(Look, before);
    QFETCH(Look, after);
    const DefaultLocale inLocale(before.locale);
    Desktop restore(QApplication::font(), u"Fusion"_s);
    const auto dpi = qScopeGuard([] { apply(look("Noto Sans", 9, u"Fusion"_s)); });
    apply(before);
    const auto use = [](ShownCalculator &w) {
        w.enter(u"Text3"_s, u"1"_s);
        w.enter(u"Text17"_s, localised(u"1.5"_s));
        w.enter(u"Text5"_s, u"abc"_s);
        w.field(u"Text4"_s)->setFocus();
    };
    ShownCalculator live;
    use(live);
    const QPoint place = live.calculator.pos();
    apply(after);
    ShownCalculator fresh;
    use(fresh);
    // Figures already shown stay in the old locale's form.
    const bool sameLocale = before.locale == after.locale;
    QCOMPARE(seen(live.calculator, sameLocale), seen(fresh.calculator, sameLocale));
    // It keeps its place, unless it grew past its screen's edge.
    const QRect available = live.calculator.screen()->availableGeometry();
    const QRect frame = live.calculator.frameGeometry();
    if (available.contains(QRect(place, frame.size())))
        QCOMPARE(frame.topLeft(), place);
    else
        QCOMPARE(frame.intersected(available).size(), frame.size().boundedTo(available.size()));
    QCOMPARE(live.note(), fresh.note());
    QCOMPARE(live.calculator.focusWidget(), live.field(u"Text4"_s));
    if (sameLocale)
        return;
    // A figure of the old form that can mean two numbers in the new one
    // ("0.001" km in German: 0,001 or 1) is refused, never read as either;
    // the next conversion writes the new form.
    const QString kilometres = live.text(u"Text4"_s);
    live.calculator.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&live.calculator));
    live.leave(u"Text4"_s);
    QVERIFY(live.refused(u"Text4"_s));
    QCOMPARE(live.text(u"Text4"_s), kilometres);
    QCOMPARE(live.note(), u"Kilometer:\n0,001 oder 1?"_s);
    live.enter(u"Text3"_s, localised(u"2.5"_s));
    QCOMPARE(live.text(u"Text10"_s), u"250"_s);
    QCOMPARE(live.text(u"Text7"_s), localised(u"2.73403325"_s));
}

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
