// SPDX-License-Identifier: GPL-3.0-or-later
// How the fields and the note present themselves to a screen reader: a
// field goes by its unit's name and reads its whole value (Qt's own line
// edit makes its text look like runs one character short, and Orca then
// drops the last digit), and the note is read out when it appears: from
// Qt 6.8 on as an announcement, which reaches Windows screen readers too,
// before that as a notification shown. Nothing of this is built until a
// screen reader asks.
#pragma once

#include <QtGlobal>

QT_BEGIN_NAMESPACE
class QWidget;
QT_END_NAMESPACE

namespace accessibility {

// Lets the window's fields and note present themselves as above; once
// per program, before the first of them is asked for.
void install();

// A conversion has just written the field the focus goes to, and a screen
// reader hears of that before it hears of the focus. Before Qt 6.8, once the
// focus is there, this tells it the field's caret and selection anew: what it
// heard before is then out of date, and it announces the field by its name.
void restateCaretOnceFocused();

// Tells a screen reader that the note has appeared, or says something new;
// shownJustNow: it was hidden until now.
void announce(QWidget *note, bool shownJustNow);

} // namespace accessibility
