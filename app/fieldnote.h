// SPDX-License-Identifier: GPL-3.0-or-later
// The message for a field left with a text that would not convert. One note
// serves the window: it stands right of "Schliessen", where no caption is,
// and names the field and what is wrong; the field itself is tinted until it
// converts or is edited. The note takes no focus and no clicks.
#pragma once

#include <QLabel>
#include <QList>

#include "numtext.h"

QT_BEGIN_NAMESPACE
class QLineEdit;
QT_END_NAMESPACE

class FieldNote : public QLabel
{
    Q_OBJECT

public:
    FieldNote(QWidget *window, double scale, numtext::Format format);

    // The note shows this field's message; the field is marked.
    void report(QLineEdit *field, const QString &unit, numtext::Error error);
    // The field's message goes; the note shows the latest one still standing, or none.
    void withdraw(QLineEdit *field);
    bool stands(const QLineEdit *field) const { return errorAt(field) != numtext::Error::None; }
    // The error the field's message stands for, None where none stands.
    numtext::Error errorAt(const QLineEdit *field) const;

    // The short message of the note and the long one of the field's tooltip.
    static QString message(numtext::Error error, numtext::Format format);
    static QString explanation(numtext::Error error, numtext::Format format);

    // Where the note's text goes in a window enlarged by scale, and the widest
    // lines it may show: what the window's font must fit.
    static QRect textRect(double scale);
    static QStringList widestLines();

private:
    struct Standing {
        QLineEdit *field;
        QString unit;
        numtext::Error error;
    };
    void showLatest();

    numtext::Format m_format;
    QList<Standing> m_standing; // oldest first
};
