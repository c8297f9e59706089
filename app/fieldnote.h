// SPDX-License-Identifier: GPL-3.0-or-later
// The message for a field left with a text that would not convert. One note
// serves the window: it stands right of "Schliessen", where no caption is,
// and names the field and what is wrong, the latest of those that stand
// until the field's text is edited or converted. It takes no focus and no
// clicks; the field itself tells the long form (Field::setRefusal).
#pragma once

#include <QLabel>
#include <QList>
#include <QStringList>

#include "numtext.h"

class Field;

class FieldNote : public QLabel
{
    Q_OBJECT

public:
    FieldNote(QWidget *window, double scale, numtext::Format format);

    // The note shows the field's message, and the field is refused.
    void report(Field *field, numtext::Error error);
    bool stands(const Field *field) const;

    // The short message of the note and the long one of the field's tooltip.
    static QString message(numtext::Error error, numtext::Format format);
    static QString explanation(numtext::Error error, numtext::Format format);

    // Dark red on pale red whatever the theme: readable on light and dark
    // desktops, and the look of a refused field as well.
    static QColor ink() { return {0x8b, 0x00, 0x00}; }
    static QColor paper() { return {0xff, 0xf0, 0xf0}; }

    // Where the note's text goes in a window enlarged by scale, and the widest
    // lines it may show: what the window's font must fit.
    static QRect textRect(double scale);
    static QStringList widestLines();

private:
    struct Standing {
        Field *field;
        numtext::Error error;
    };
    // The field's message goes; the note shows the latest one still standing, or none.
    void withdraw(const Field *field);
    // The field's message goes, and the note stays as it is; whether there was one.
    bool forget(const Field *field);
    void showLatest();

    numtext::Format m_format;
    QList<Standing> m_standing; // oldest first
};
