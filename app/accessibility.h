// SPDX-License-Identifier: GPL-3.0-or-later
// How the fields and the message present themselves to a screen reader:
// a field reads its whole value (Qt's own line edit makes its text look like
// runs one character short, and Orca then drops the last digit), and the
// message is a notification that is read out when it appears.
#pragma once

#include <QLineEdit>

// A field of the window: a line edit a screen reader reads whole.
class Field : public QLineEdit
{
    Q_OBJECT

public:
    using QLineEdit::QLineEdit;
};

namespace accessibility {

// Lets the window's fields and message present themselves as above; once
// per program, before the first of them is asked for.
void install();

// Tells a screen reader the field's caret and selection once more, after the
// focus has come to it: what it heard about the field before the focus came
// is then out of date, and it announces the field by its name.
void restateCaret(QLineEdit *field);

// Tells a screen reader that the message has appeared, or says something new.
void announce(QWidget *note);

} // namespace accessibility
