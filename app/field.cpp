// SPDX-License-Identifier: GPL-3.0-or-later
#include "field.h"

#include <limits>

#include "fieldnote.h"

Field::Field(const QString &unit, QWidget *parent)
    : QLineEdit(parent)
    , m_unit(unit)
{
    setMaxLength(std::numeric_limits<int>::max()); // a long paste is never cut short
    // What the user types is theirs: no value behind it, nothing refused yet.
    connect(this, &QLineEdit::textEdited, this, [this] {
        m_unrounded.clear();
        withdrawRefusal();
        describe();
    });
}

void Field::showFigure(const QString &text, const QString &unrounded)
{
    setText(text);
    setCursorPosition(0); // show the leading digits of a long value
    m_unrounded = unrounded;
    withdrawRefusal();
    describe();
}

void Field::setRefusal(const QString &explanation)
{
    if (explanation.isEmpty())
        withdrawRefusal();
    else
        m_refusal = explanation;
    describe();
}

void Field::withdrawRefusal()
{
    if (m_refusal.isEmpty())
        return;
    m_refusal.clear();
    emit refusalWithdrawn();
}

void Field::describe()
{
    // Refused, the field wears the message's colours.
    if (const bool refused = !m_refusal.isEmpty(); refused != m_tinted) {
        QPalette colours;
        if (refused) {
            colours = palette();
            colours.setColor(QPalette::Base, FieldNote::paper());
            colours.setColor(QPalette::Text, FieldNote::ink());
        }
        setPalette(colours);
        m_tinted = refused;
    }
    // A refusal says more than the value behind the figure.
    const QString description = !m_refusal.isEmpty()   ? m_refusal
                                : m_unrounded.isEmpty() ? QString()
                                                        : QStringLiteral("Ungerundet: ") + m_unrounded;
    if (toolTip() != description) {
        setToolTip(description);
        setAccessibleDescription(description);
    }
}
