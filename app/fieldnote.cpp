// SPDX-License-Identifier: GPL-3.0-or-later
#include "fieldnote.h"

#include <QAccessible>

#include "accessibility.h"
#include "colours.h"

FieldNote::FieldNote(QWidget *window)
    : QLabel(window)
{
    setObjectName(QStringLiteral("Note"));
    setTextFormat(Qt::PlainText);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
    setFrameShape(QFrame::Box);
    setLineWidth(layout::noteLine);
    setMargin(layout::noteMargin);
    setIndent(layout::noteIndent);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    hide();
}

void FieldNote::tell(const QString &text)
{
    const bool shown = isVisible();
    setText(text);
    show();
    raise();
    if (QAccessible::isActive())
        accessibility::announce(this, !shown);
}

void FieldNote::place(const layout::Placement &at)
{
    QPalette tint;
    tint.setColor(QPalette::WindowText, colours::refusalInk());
    tint.setColor(QPalette::Window, colours::refusalPaper());
    setPalette(tint);
    setGeometry(layout::noteRect(at));
}
