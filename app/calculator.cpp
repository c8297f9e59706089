// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculator.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <string_view>
#include <vector>

#include <QApplication>
#include <QFocusEvent>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTextLayout>

#include "layout.h"
#include "windowicon.h"

namespace {

QRect pixelRect(const layout::Control &c)
{
    return {layout::pixels(c.left), layout::pixels(c.top), layout::pixels(c.width), layout::pixels(c.height)};
}

// Relative luminance and contrast ratio as WCAG defines them.
double luminance(const QColor &c)
{
    auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The 3-D dark shadow colour, where the theme has one that is neither the
// text colour nor unreadable on the window; a dark grey (a light one on a dark
// window) otherwise.
QColor subHeadingColour(const QPalette &palette)
{
    const QColor window = palette.color(QPalette::Window);
    const QColor shadow = palette.color(QPalette::Shadow);
    if (shadow != palette.color(QPalette::WindowText) && contrast(shadow, window) >= 4.5)
        return shadow;
    const bool dark = luminance(window) < 0.2;
    return dark ? QColor(0xb4, 0xb4, 0xb4) : QColor(0x40, 0x40, 0x40);
}

// The lines of the hint as a label of this font wraps them.
QStringList hintLines(const QFont &font, qreal width)
{
    const QString hint = QString::fromUtf8(layout::hint);
    QTextLayout text(hint, font);
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(QTextOption::WordWrap);
    text.setTextOption(option);
    QStringList lines;
    text.beginLayout();
    for (QTextLine line = text.createLine(); line.isValid(); line = text.createLine()) {
        line.setLineWidth(width);
        lines << hint.mid(line.textStart(), line.textLength());
    }
    text.endLayout();
    return lines;
}

// A caption's width from its characters' advances: kerning only narrows
// Latin text, so this never says a caption fits that does not, and it needs
// no text shaping, which start-up would otherwise pay twice.
qreal textWidth(const QFontMetricsF &metrics, const QString &text)
{
    qreal width = 0;
    for (const QChar c : text)
        width += metrics.horizontalAdvance(c);
    return width;
}

// How far the widest one-line caption overflows its box: 1 or less fits.
qreal overflow(const QFont &font)
{
    const QFontMetricsF metrics(font);
    qreal worst = 0;
    for (const layout::Control &c : layout::controls) {
        if ((c.kind == layout::Kind::Label || c.kind == layout::Kind::SubHeading) && c.caption != layout::hint)
            worst = std::max(worst, textWidth(metrics, QString::fromUtf8(c.caption)) / pixelRect(c).width());
    }
    return worst;
}

bool fits(const QFont &font)
{
    const QFontMetricsF metrics(font);
    for (const layout::Control &c : layout::controls) {
        const QRect box = pixelRect(c);
        const QString caption = QString::fromUtf8(c.caption);
        const qreal width = textWidth(metrics, caption);
        switch (c.kind) {
        case layout::Kind::Label:
        case layout::Kind::SubHeading:
            if (c.caption == layout::hint) {
                const QStringList lines = hintLines(font, box.width());
                if (lines.front().trimmed() != u"Hinweis zum Gebrauch:"
                    || lines.size() * metrics.lineSpacing() > box.height())
                    return false;
            } else if (width > box.width() || metrics.height() > box.height()) {
                return false;
            }
            break;
        case layout::Kind::Field:
            if (metrics.height() + 4 > box.height())
                return false;
            break;
        case layout::Kind::Frame:
        case layout::Kind::Button:
            if (width + 16 > box.width())
                return false;
            break;
        }
    }
    return true;
}

// The desktop's own font at the largest size, up to its default, at which no
// caption is clipped in the fixed boxes of the window.
QFont fittingFont(QFont font)
{
    if (font.pointSizeF() <= 0 || fits(font))
        return font;
    // Widths grow about in proportion to the size: start at the half point
    // nearest to where the widest caption would just fit, so that start-up
    // loads the font at two sizes, not at every half point on the way down.
    font.setPointSizeF(std::max(6.0, std::round(2 * font.pointSizeF() / overflow(font)) / 2));
    while (!fits(font) && font.pointSizeF() > 6)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    return font;
}

QString noticeText(numtext::Error error, numtext::Format format, bool longForm)
{
    if (error == numtext::Error::OutOfRange)
        return longForm ? QStringLiteral("Die Zahl ist zu groß: das Ergebnis liegt außerhalb des Rechenbereichs.")
                        : QStringLiteral("Zahl zu groß");
    const QString example = QStringLiteral("1") + QChar(format.decimal) + QStringLiteral("5");
    return longForm ? QStringLiteral("Keine gültige Zahl. Erwartet wird eine Zahl wie %1.").arg(example)
                    : QStringLiteral("Keine Zahl, z. B. %1").arg(example);
}

} // namespace

Calculator::Calculator(QWidget *parent)
    : QWidget(parent)
    , m_format(numtext::Format::fromLocale(QLocale()))
{
    setWindowTitle(QStringLiteral("Velmarin"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);
    QIcon icon;
    for (const windowicon::Image &image : windowicon::images) {
        icon.addPixmap(QPixmap::fromImage(QImage(reinterpret_cast<const uchar *>(image.argb), image.size,
                                                 image.size, QImage::Format_ARGB32)));
    }
    setWindowIcon(icon);
    setFont(fittingFont(font()));
    setFixedSize(layout::pixels(layout::clientWidth), layout::pixels(layout::clientHeight));
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    std::map<std::string_view, QWidget *> frames;
    std::map<std::string_view, QLabel *> buddies;
    std::vector<std::pair<int, QWidget *>> focusOrder;
    for (const layout::Control &c : layout::controls) {
        QWidget *parentWidget = c.parent ? frames.at(c.parent) : this;
        const QString caption = QString::fromUtf8(c.caption);
        QWidget *widget = nullptr;
        switch (c.kind) {
        case layout::Kind::Frame:
            widget = frames[c.name] = new QGroupBox(caption, parentWidget);
            break;
        case layout::Kind::Label:
        case layout::Kind::SubHeading: {
            auto *label = new QLabel(caption, parentWidget);
            label->setTextFormat(Qt::PlainText);
            label->setWordWrap(c.height > 255 * 2);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            if (c.kind == layout::Kind::SubHeading) {
                QPalette palette = label->palette();
                palette.setColor(QPalette::WindowText, subHeadingColour(palette));
                label->setPalette(palette);
            }
            if (c.buddy)
                buddies[c.buddy] = label;
            widget = label;
            break;
        }
        case layout::Kind::Field: {
            auto *field = new QLineEdit(parentWidget);
            field->setMaxLength(std::numeric_limits<int>::max()); // a long paste is never cut short
            const int number = QByteArrayView(c.name).sliced(4).toInt();
            m_fields[number - 1] = field;
            if (c.group == layout::Group::Length)
                m_lengthFields[c.unit] = field;
            else if (c.group == layout::Group::Mass)
                m_massFields[c.unit] = field;
            field->installEventFilter(this);
            connect(field, &QLineEdit::textEdited, this, [this, field] { clearNotice(field); });
            focusOrder.emplace_back(c.tabIndex, field);
            widget = field;
            break;
        }
        case layout::Kind::Button: {
            auto *button = new QPushButton(caption, parentWidget);
            // A window, not a dialog: Enter in a field must not press it.
            button->setAutoDefault(false);
            button->setDefault(false);
            connect(button, &QPushButton::clicked, this, &Calculator::Close_Click);
            focusOrder.emplace_back(c.tabIndex, button);
            widget = button;
            break;
        }
        }
        widget->setObjectName(QString::fromLatin1(c.name));
        widget->setGeometry(pixelRect(c));
    }

    for (const layout::Control &c : layout::controls) {
        if (c.kind != layout::Kind::Field)
            continue;
        auto *field = findChild<QLineEdit *>(QString::fromLatin1(c.name));
        // A screen reader names a field after the label whose buddy it is.
        buddies.at(c.name)->setBuddy(field);
        field->raise(); // a field overlapping its label is drawn on top
    }
    // Setting an accessible name builds the accessibility objects at once,
    // so the two grain fields get theirs only when a screen reader listens.
    if (QAccessible::isActive())
        nameAmbiguousFields();
    else
        QAccessible::installActivationObserver(this);

    std::sort(focusOrder.begin(), focusOrder.end());
    for (std::size_t i = 1; i < focusOrder.size(); ++i)
        setTabOrder(focusOrder[i - 1].second, focusOrder[i].second);
    focusOrder.front().second->setFocus();
}

Calculator::~Calculator()
{
    QAccessible::removeActivationObserver(this);
}

void Calculator::accessibilityActiveChanged(bool active)
{
    if (active)
        nameAmbiguousFields();
}

void Calculator::nameAmbiguousFields()
{
    for (const layout::Control &c : layout::controls) {
        if (c.accessibleName)
            findChild<QLineEdit *>(QString::fromLatin1(c.name))->setAccessibleName(QString::fromUtf8(c.accessibleName));
    }
}

void Calculator::Faktoren()
{
    m_laengenFaktoren = convert::factorsOf(convert::lengths);
}

void Calculator::Gewichte()
{
    m_gewichtsFaktoren = convert::factorsOf(convert::masses);
}

numtext::Error Calculator::LaengenUpdaten(const convert::Base &Val1)
{
    return writeGroup(m_lengthFields, m_laengenFaktoren, Val1);
}

numtext::Error Calculator::GewichteUpdaten(const convert::Base &Val1)
{
    return writeGroup(m_massFields, m_gewichtsFaktoren, Val1);
}

void Calculator::Close_Click()
{
    AlleFormulareEntladen();
}

void Calculator::Text1_LostFocus() { leaveTemperature(field(1), field(2), convert::celsiusToFahrenheit); }
void Calculator::Text2_LostFocus() { leaveTemperature(field(2), field(1), convert::fahrenheitToCelsius); }
void Calculator::Text3_LostFocus() { leaveLength(convert::Length::Metre); }
void Calculator::Text4_LostFocus() { leaveLength(convert::Length::Kilometre); }
void Calculator::Text5_LostFocus() { leaveLength(convert::Length::Inch); }
void Calculator::Text6_LostFocus() { leaveLength(convert::Length::Foot); }
void Calculator::Text7_LostFocus() { leaveLength(convert::Length::Yard); }
void Calculator::Text8_LostFocus() { leaveLength(convert::Length::Mile); }
void Calculator::Text9_LostFocus() { leaveLength(convert::Length::NauticalMile); }
void Calculator::Text10_LostFocus() { leaveLength(convert::Length::Centimetre); }
void Calculator::Text11_LostFocus() { leaveMass(convert::Mass::Gram); }
void Calculator::Text24_LostFocus() { leaveMass(convert::Mass::Carat); }
void Calculator::Text12_LostFocus() { leaveMass(convert::Mass::Kilogram); }
void Calculator::Text13_LostFocus() { leaveMass(convert::Mass::Tonne); }
void Calculator::Text14_LostFocus() { leaveMass(convert::Mass::Grain); }
void Calculator::Text15_LostFocus() { leaveMass(convert::Mass::Dram); }
void Calculator::Text16_LostFocus() { leaveMass(convert::Mass::Ounce); }
void Calculator::Text17_LostFocus() { leaveMass(convert::Mass::Pound); }
void Calculator::Text18_LostFocus() { leaveMass(convert::Mass::ShortTon); }
void Calculator::Text19_LostFocus() { leaveMass(convert::Mass::LongTon); }
void Calculator::Text20_LostFocus() { leaveMass(convert::Mass::TroyGrain); }
void Calculator::Text21_LostFocus() { leaveMass(convert::Mass::Pennyweight); }
void Calculator::Text22_LostFocus() { leaveMass(convert::Mass::TroyOunce); }
void Calculator::Text23_LostFocus() { leaveMass(convert::Mass::TroyPound); }

void Calculator::AlleFormulareEntladen()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows)
        window->close();
}

bool Calculator::eventFilter(QObject *watched, QEvent *event)
{
    static constexpr std::array<void (Calculator::*)(), 24> lostFocus{
        &Calculator::Text1_LostFocus,  &Calculator::Text2_LostFocus,  &Calculator::Text3_LostFocus,
        &Calculator::Text4_LostFocus,  &Calculator::Text5_LostFocus,  &Calculator::Text6_LostFocus,
        &Calculator::Text7_LostFocus,  &Calculator::Text8_LostFocus,  &Calculator::Text9_LostFocus,
        &Calculator::Text10_LostFocus, &Calculator::Text11_LostFocus, &Calculator::Text12_LostFocus,
        &Calculator::Text13_LostFocus, &Calculator::Text14_LostFocus, &Calculator::Text15_LostFocus,
        &Calculator::Text16_LostFocus, &Calculator::Text17_LostFocus, &Calculator::Text18_LostFocus,
        &Calculator::Text19_LostFocus, &Calculator::Text20_LostFocus, &Calculator::Text21_LostFocus,
        &Calculator::Text22_LostFocus, &Calculator::Text23_LostFocus, &Calculator::Text24_LostFocus,
    };
    if (event->type() == QEvent::FocusOut) {
        // Only a move to another control of this window counts as leaving the
        // field: not a switch to another window, the field's own context menu,
        // or the window closing. Qt has already made the new widget the focus
        // widget when the old one hears of it.
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        const QWidget *next = QApplication::focusWidget();
        const auto it = std::find(m_fields.begin(), m_fields.end(), watched);
        if (it != m_fields.end() && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason
            && isVisible() && next && next != watched && next->window() == this) {
            (this->*lostFocus[it - m_fields.begin()])();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Calculator::leaveTemperature(QLineEdit *from, QLineEdit *to, Converter convert)
{
    const QString text = from->text();
    if (text.isEmpty())
        return;
    const numtext::Result result = convert(text, m_format);
    if (result)
        setFieldText(to, numtext::render(result.value, m_format));
    report(from, result.error);
}

void Calculator::leaveLength(convert::Length unit)
{
    Faktoren();
    const auto row = static_cast<std::size_t>(unit);
    leaveGroup(m_lengthFields[row], convert::lengths[row], &Calculator::LaengenUpdaten);
}

void Calculator::leaveMass(convert::Mass unit)
{
    Gewichte();
    const auto row = static_cast<std::size_t>(unit);
    leaveGroup(m_massFields[row], convert::masses[row], &Calculator::GewichteUpdaten);
}

void Calculator::leaveGroup(QLineEdit *field, const convert::Unit &unit,
                            numtext::Error (Calculator::*update)(const convert::Base &))
{
    const QString text = field->text();
    if (text.isEmpty())
        return;
    convert::Base base;
    numtext::Error error = convert::toBase(unit, text, m_format, base);
    if (error == numtext::Error::None)
        error = (this->*update)(base);
    report(field, error);
}

template<std::size_t N>
numtext::Error Calculator::writeGroup(const std::array<QLineEdit *, N> &fields, const std::array<double, N> &factors,
                                      const convert::Base &base)
{
    std::array<QString, N> texts;
    const numtext::Error error = convert::fanOut(factors, base, m_format, texts);
    if (error != numtext::Error::None)
        return error;
    for (std::size_t i = 0; i < N; ++i)
        setFieldText(fields[i], texts[i]);
    return error;
}

void Calculator::setFieldText(QLineEdit *field, const QString &text)
{
    field->setText(text);
    field->setCursorPosition(0); // show the leading digits of a long value
    clearNotice(field);
}

void Calculator::report(QLineEdit *field, numtext::Error error)
{
    if (error == numtext::Error::None) {
        clearNotice(field);
        return;
    }
    const auto index = std::find(m_fields.begin(), m_fields.end(), field) - m_fields.begin();
    QLabel *&notice = m_notices[index];
    if (!notice) {
        // A note just below the field, over its unit label, until the field is
        // edited or converts: no box that would stop the user tabbing on.
        notice = new QLabel(this);
        notice->setObjectName(field->objectName() + QStringLiteral("Notice"));
        notice->setAttribute(Qt::WA_TransparentForMouseEvents);
        // Dark red on pale red whatever the theme: readable in light and dark.
        QPalette palette = notice->palette();
        palette.setColor(QPalette::WindowText, QColor(0x8b, 0x00, 0x00));
        palette.setColor(QPalette::Window, QColor(0xff, 0xf0, 0xf0));
        notice->setPalette(palette);
        notice->setAutoFillBackground(true);
        notice->setFrameShape(QFrame::Box);
        notice->setMargin(1);
    }
    notice->setText(noticeText(error, m_format, false));
    notice->adjustSize();
    QPoint at = field->mapTo(this, QPoint(0, field->height()));
    at.setX(std::min(at.x(), width() - notice->width() - 2));
    notice->move(at);
    notice->show();
    notice->raise();
    const QString message = noticeText(error, m_format, true);
    field->setToolTip(message);
    field->setAccessibleDescription(message);
}

void Calculator::clearNotice(QLineEdit *field)
{
    const auto index = std::find(m_fields.begin(), m_fields.end(), field) - m_fields.begin();
    if (QLabel *notice = m_notices[index]; notice && !notice->isHidden()) {
        notice->hide();
        field->setToolTip(QString());
        field->setAccessibleDescription(QString());
    }
}
