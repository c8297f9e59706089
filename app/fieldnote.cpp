// SPDX-License-Identifier: GPL-3.0-or-later
#include "fieldnote.h"

#include <algorithm>

#include <QAccessible>

#include "accessibility.h"
#include "field.h"
#include "layout.h"

namespace {

// Between the note's edge and its text, in pixels: the frame line, a margin
// all round and an indent of the text from the left (kept on the right too).
constexpr int noteLine = 1;
constexpr int textMargin = 1;
constexpr int textIndent = 3;

QRect noteRect(double scale)
{
    return layout::pixelRect(layout::noteLeft, layout::noteTop, layout::noteWidth, layout::noteHeight, scale);
}

} // namespace

FieldNote::FieldNote(QWidget *window, double scale, numtext::Format format)
    : QLabel(window)
    , m_format(format)
{
    setObjectName(QStringLiteral("Note"));
    setTextFormat(Qt::PlainText);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, ink());
    colours.setColor(QPalette::Window, paper());
    setPalette(colours);
    setAutoFillBackground(true);
    setFrameShape(QFrame::Box);
    setLineWidth(noteLine);
    setMargin(textMargin);
    setIndent(textIndent);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setGeometry(noteRect(scale));
    hide();
}

void FieldNote::report(Field *field, numtext::Error error)
{
    forget(field);
    m_standing.append({field, error});
    field->setRefusal(explanation(error, m_format));
    connect(field, &Field::refusalWithdrawn, this, [this, field] { withdraw(field); });
    showLatest();
}

void FieldNote::withdraw(const Field *field)
{
    if (forget(field))
        showLatest();
}

bool FieldNote::forget(const Field *field)
{
    const auto it = std::find_if(m_standing.begin(), m_standing.end(),
                                 [field](const Standing &s) { return s.field == field; });
    if (it == m_standing.end())
        return false;
    disconnect(it->field, &Field::refusalWithdrawn, this, nullptr);
    m_standing.erase(it);
    return true;
}

bool FieldNote::stands(const Field *field) const
{
    return std::any_of(m_standing.begin(), m_standing.end(), [field](const Standing &s) { return s.field == field; });
}

void FieldNote::showLatest()
{
    if (m_standing.isEmpty()) {
        hide();
        return;
    }
    const Standing &latest = m_standing.back();
    setText(latest.field->unit() + QStringLiteral(":\n") + message(latest.error, m_format));
    show();
    raise();
    if (QAccessible::isActive())
        accessibility::announce(this);
}

QString FieldNote::message(numtext::Error error, numtext::Format format)
{
    if (error == numtext::Error::OutOfRange)
        return QStringLiteral("Zahl zu groß");
    if (error == numtext::Error::MixedDigits)
        return QStringLiteral("Ziffern zweier Schriften");
    return QStringLiteral("Keine Zahl, z. B. 1") + QChar(format.decimal) + u'5';
}

QString FieldNote::explanation(numtext::Error error, numtext::Format format)
{
    if (error == numtext::Error::OutOfRange)
        return QStringLiteral("Die Zahl ist zu groß: das Ergebnis liegt außerhalb des Rechenbereichs.");
    if (error == numtext::Error::MixedDigits)
        return QStringLiteral("Die Zahl mischt die Ziffern zweier Schriften. Bitte alle Ziffern in einer Schrift schreiben.");
    return QStringLiteral("Keine gültige Zahl. Erwartet wird eine Zahl wie 1") + QChar(format.decimal) + QStringLiteral("5.");
}

QRect FieldNote::textRect(double scale)
{
    const int side = noteLine + textMargin + textIndent;
    return noteRect(scale) - QMargins(side, noteLine + textMargin, side, noteLine + textMargin);
}

QStringList FieldNote::widestLines()
{
    QStringList lines;
    for (const layout::Control &c : layout::controls) {
        if (c.kind == layout::Kind::Field)
            lines << layout::unitName(c) + u':';
    }
    for (const numtext::Error error :
         {numtext::Error::NotANumber, numtext::Error::OutOfRange, numtext::Error::MixedDigits}) {
        for (const char16_t decimal : {u'.', u','})
            lines << message(error, numtext::Format{decimal});
    }
    return lines;
}
