// SPDX-License-Identifier: GPL-3.0-or-later
#include "fieldnote.h"

#include <QAccessible>

#include "accessibility.h"
#include "colours.h"
#include "field.h"
#include "layout.h"
#include "refusals.h"

FieldNote::FieldNote(QWidget *window, double scale, numtext::Format format)
    : QLabel(window)
    , m_format(format)
{
    setObjectName(QStringLiteral("Note"));
    setTextFormat(Qt::PlainText);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    QPalette tint = palette();
    tint.setColor(QPalette::WindowText, colours::refusalInk());
    tint.setColor(QPalette::Window, colours::refusalPaper());
    setPalette(tint);
    setAutoFillBackground(true);
    setFrameShape(QFrame::Box);
    setLineWidth(layout::noteLine);
    setMargin(layout::noteMargin);
    setIndent(layout::noteIndent);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setGeometry(layout::noteRect(scale));
    hide();
}

void FieldNote::report(Field *field)
{
    if (!m_refused.removeOne(field))
        connect(field, &Field::refusalWithdrawn, this, [this, field] { withdraw(field); });
    m_refused.append(field);
    showLatest();
}

void FieldNote::withdraw(Field *field)
{
    disconnect(field, &Field::refusalWithdrawn, this, nullptr);
    m_refused.removeOne(field);
    showLatest();
}

void FieldNote::showLatest()
{
    if (m_refused.isEmpty()) {
        hide();
        return;
    }
    const Field *latest = m_refused.back();
    setText(latest->unit() + QStringLiteral(":\n") + refusals::note(latest->refusal(), m_format));
    show();
    raise();
    if (QAccessible::isActive())
        accessibility::announce(this);
}
