// SPDX-License-Identifier: GPL-3.0-or-later
// The note on a field left with a text that would not convert. One note
// serves the window: it stands right of "Schliessen", where no caption is,
// and names the field and what is wrong, the latest of the refusals that
// stand until the field's text is edited or converted. It takes no focus and
// no clicks; the field itself holds its refusal and tells the long form.
#pragma once

#include <QLabel>
#include <QList>

#include "numtext.h"

class Field;

class FieldNote : public QLabel
{
    Q_OBJECT

public:
    FieldNote(QWidget *window, double scale, numtext::Format format);

    // The field's text was refused: its note shows until the refusal is
    // withdrawn or a later one comes.
    void report(Field *field);

private:
    void withdraw(Field *field);
    // The latest refusal that still stands, or none.
    void showLatest();

    numtext::Format m_format;
    QList<Field *> m_refused; // oldest first
};
