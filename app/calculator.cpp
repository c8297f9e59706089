// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculator.h"

#include <algorithm>

#include <QApplication>
#include <QFocusEvent>
#include <QIcon>
#include <QImage>
#include <QLocale>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

#include "accessibility.h"
#include "colours.h"
#include "controls.h"
#include "fieldnote.h"
#include "fontfit.h"
#include "normalstate.h"
#include "windowicon.h"

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

    const Controls controls = makeControls(this, m_scale, fontfit::hintText(fit.hintBreak));
    m_fields = controls.fields;
    m_units = controls.units;
    m_lengthFields = controls.lengths;
    m_massFields = controls.masses;
    for (Field *field : m_fields)
        field->installEventFilter(this);
    // A window, not a dialog: Enter in a field must not press the button.
    controls.close->setAutoDefault(false);
    controls.close->setDefault(false);
    connect(controls.close, &QPushButton::clicked, this, &Calculator::Close_Click);
    colours::colourSubHeadings(this);
    new NormalStateKeeper(this);
}

void Calculator::Faktoren()
{
    m_lengthFactors = convert::factorsOf(convert::lengths);
}

void Calculator::Gewichte()
{
    m_massFactors = convert::factorsOf(convert::masses);
}

numtext::Error Calculator::LaengenUpdaten(const convert::Base &Val1)
{
    return writeGroup(m_lengthFields, m_lengthFactors, Val1);
}

numtext::Error Calculator::GewichteUpdaten(const convert::Base &Val1)
{
    return writeGroup(m_massFields, m_massFactors, Val1);
}

void Calculator::Close_Click()
{
    AlleFormulareEntladen();
}

void Calculator::Text1_LostFocus() { leave(1); }
void Calculator::Text2_LostFocus() { leave(2); }
void Calculator::Text3_LostFocus() { leave(3); }
void Calculator::Text4_LostFocus() { leave(4); }
void Calculator::Text5_LostFocus() { leave(5); }
void Calculator::Text6_LostFocus() { leave(6); }
void Calculator::Text7_LostFocus() { leave(7); }
void Calculator::Text8_LostFocus() { leave(8); }
void Calculator::Text9_LostFocus() { leave(9); }
void Calculator::Text10_LostFocus() { leave(10); }
void Calculator::Text11_LostFocus() { leave(11); }
void Calculator::Text24_LostFocus() { leave(24); }
void Calculator::Text12_LostFocus() { leave(12); }
void Calculator::Text13_LostFocus() { leave(13); }
void Calculator::Text14_LostFocus() { leave(14); }
void Calculator::Text15_LostFocus() { leave(15); }
void Calculator::Text16_LostFocus() { leave(16); }
void Calculator::Text17_LostFocus() { leave(17); }
void Calculator::Text18_LostFocus() { leave(18); }
void Calculator::Text19_LostFocus() { leave(19); }
void Calculator::Text20_LostFocus() { leave(20); }
void Calculator::Text21_LostFocus() { leave(21); }
void Calculator::Text22_LostFocus() { leave(22); }
void Calculator::Text23_LostFocus() { leave(23); }

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
            (this->*lostFocus[std::size_t(it - m_fields.begin())])();
            accessibility::restateCaretOnceFocused();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Calculator::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange)
        colours::colourSubHeadings(this);
    QWidget::changeEvent(event);
}

void Calculator::leave(int number)
{
    const layout::Unit &unit = m_units[std::size_t(number - 1)];
    if (const auto *scale = std::get_if<convert::Temperature>(&unit)) {
        leaveTemperature(field(number), *scale);
    } else if (const auto *length = std::get_if<convert::Length>(&unit)) {
        Faktoren();
        leaveGroup(field(number), convert::lengths[std::size_t(*length)], &Calculator::LaengenUpdaten);
    } else {
        Gewichte();
        leaveGroup(field(number), convert::masses[std::size_t(std::get<convert::Mass>(unit))], &Calculator::GewichteUpdaten);
    }
}

void Calculator::leaveTemperature(Field *from, convert::Temperature scale)
{
    const QString text = from->text();
    if (text.isEmpty())
        return;
    const numtext::Result result = convert::otherScale(scale, text, m_format);
    if (result)
        field(scale == convert::Temperature::Celsius ? 2 : 1)->showFigure(numtext::render(result.value, m_format));
    report(from, result.error);
}

void Calculator::leaveGroup(Field *field, const convert::Unit &unit,
                            numtext::Error (Calculator::*update)(const convert::Base &))
{
    const QString text = field->text();
    if (text.isEmpty())
        return;
    const convert::BaseValue base = convert::toBase(unit, text, m_format);
    report(field, base ? (this->*update)(base.value) : base.error);
}

template<std::size_t N>
numtext::Error Calculator::writeGroup(const std::array<Field *, N> &fields, const std::array<double, N> &factors,
                                      const convert::Base &base)
{
    const convert::Figures group = convert::fanOut(factors, base, m_format);
    if (!group)
        return group.error;
    for (std::size_t i = 0; i < N; ++i)
        fields[i]->showFigure(group.value[qsizetype(i)].text, group.value[qsizetype(i)].unrounded);
    return numtext::Error::None;
}

void Calculator::report(Field *field, numtext::Error error)
{
    if (error == numtext::Error::None) {
        field->setRefusal({});
        return;
    }
    if (!m_note)
        m_note = new FieldNote(this, m_scale, m_format);
    m_note->report(field, error);
}
