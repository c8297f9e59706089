// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculator.h"

#include <algorithm>
#include <limits>
#include <map>
#include <string_view>
#include <vector>

#include <QApplication>
#include <QFocusEvent>
#include <QGroupBox>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

#include "accessibility.h"
#include "colours.h"
#include "fieldnote.h"
#include "fontfit.h"
#include "layout.h"
#include "normalstate.h"
#include "windowicon.h"

namespace {

// The sub-headings in the colour of their role, on whatever palette the window has.
void colourSubHeadings(QWidget *window)
{
    for (const layout::Control &c : layout::controls) {
        if (c.kind != layout::Kind::SubHeading)
            continue;
        auto *label = window->findChild<QLabel *>(QString::fromLatin1(c.name));
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, colours::subHeading(window->palette()));
        label->setPalette(palette);
    }
}

} // namespace

Calculator::Calculator(QWidget *parent)
    : QWidget(parent)
    , m_format(numtext::Format::fromLocale(QLocale()))
{
    accessibility::install();
    setWindowTitle(QStringLiteral("Velmarin"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);
    QIcon icon;
    for (const windowicon::Image &image : windowicon::images) {
        icon.addPixmap(QPixmap::fromImage(QImage(reinterpret_cast<const uchar *>(image.argb), image.size,
                                                 image.size, QImage::Format_ARGB32)));
    }
    setWindowIcon(icon);
    const fontfit::Fit fit = fontfit::fit(font(), style());
    m_scale = fit.scale;
    setFont(fit.font);
    setFixedSize(layout::pixels(layout::clientWidth, m_scale), layout::pixels(layout::clientHeight, m_scale));
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
            const bool hint = c.caption == layout::hint;
            auto *label = new QLabel(hint ? fontfit::hintText(fit.hintBreak) : caption, parentWidget);
            label->setTextFormat(Qt::PlainText);
            label->setWordWrap(hint);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            if (c.buddy)
                buddies[c.buddy] = label;
            widget = label;
            break;
        }
        case layout::Kind::Field: {
            auto *field = new Field(parentWidget);
            field->setMaxLength(std::numeric_limits<int>::max()); // a long paste is never cut short
            const int number = QByteArrayView(c.name).sliced(4).toInt();
            m_fields[number - 1] = field;
            if (c.group == layout::Group::Length)
                m_lengthFields[c.unit] = field;
            else if (c.group == layout::Group::Mass)
                m_massFields[c.unit] = field;
            field->installEventFilter(this);
            connect(field, &QLineEdit::textEdited, this, [this, field] { fieldEdited(field); });
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
        widget->setGeometry(layout::pixelRect(c, m_scale));
    }
    colourSubHeadings(this);

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

    new NormalStateKeeper(this);

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
            // The conversion has just written the field the focus goes to,
            // and a screen reader hears of that before it hears of the
            // focus: once the focus is there, tell it the caret anew.
            if (auto *field = qobject_cast<Field *>(QApplication::focusWidget()); field && QAccessible::isActive())
                QMetaObject::invokeMethod(field, [field] { accessibility::restateCaret(field); }, Qt::QueuedConnection);
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
    const convert::BaseValue base = convert::toBase(unit, text, m_format);
    report(field, base ? (this->*update)(base.value) : base.error);
}

template<std::size_t N>
numtext::Error Calculator::writeGroup(const std::array<QLineEdit *, N> &fields, const std::array<double, N> &factors,
                                      const convert::Base &base)
{
    const convert::Figures group = convert::fanOut(factors, base, m_format);
    if (!group)
        return group.error;
    for (std::size_t i = 0; i < N; ++i)
        setFieldText(fields[i], group.figures[qsizetype(i)].text, group.figures[qsizetype(i)].unrounded);
    return numtext::Error::None;
}

void Calculator::setFieldText(QLineEdit *field, const QString &text, const QString &unrounded)
{
    field->setText(text);
    field->setCursorPosition(0); // show the leading digits of a long value
    m_unrounded[indexOf(field)] = unrounded;
    if (m_note)
        m_note->withdraw(field);
    describe(field);
}

void Calculator::fieldEdited(QLineEdit *field)
{
    // What the field shows is the user's now: no message, no value behind it.
    m_unrounded[indexOf(field)].clear();
    if (m_note)
        m_note->withdraw(field);
    describe(field);
}

void Calculator::report(QLineEdit *field, numtext::Error error)
{
    if (error == numtext::Error::None) {
        if (m_note)
            m_note->withdraw(field);
    } else {
        if (!m_note)
            m_note = new FieldNote(this, m_scale, m_format);
        const layout::Control &control = *std::find_if(
            layout::controls.begin(), layout::controls.end(),
            [field](const layout::Control &c) { return field->objectName() == QLatin1StringView(c.name); });
        m_note->report(field, layout::unitName(control), error);
    }
    describe(field);
}

void Calculator::describe(QLineEdit *field)
{
    // A standing message says more than the value behind the figure.
    QString description;
    if (const numtext::Error error = m_note ? m_note->errorAt(field) : numtext::Error::None;
        error != numtext::Error::None)
        description = FieldNote::explanation(error, m_format);
    else if (const QString &unrounded = m_unrounded[indexOf(field)]; !unrounded.isEmpty())
        description = QStringLiteral("Ungerundet: ") + unrounded;
    if (field->toolTip() != description) {
        field->setToolTip(description);
        field->setAccessibleDescription(description);
    }
}

std::size_t Calculator::indexOf(const QLineEdit *field) const
{
    return std::size_t(std::find(m_fields.begin(), m_fields.end(), field) - m_fields.begin());
}

void Calculator::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange)
        colourSubHeadings(this);
    QWidget::changeEvent(event);
}
