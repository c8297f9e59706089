// SPDX-License-Identifier: GPL-3.0-or-later
// A field of the window: a line edit that knows the name of its unit, the
// numbers' format, the value behind a figure that rounding cut short, and
// why its text was refused, and tells the last two in its tooltip and
// accessible description. It alone holds its refusal and its words. Its
// leading digits are always in view: where a figure is wider than the
// field, its end gives way to an ellipsis, before the exponent where it has
// one, and the tooltip gives it whole; a double click takes it whole. Text
// however it arrives (keys, paste, a drop, a screen reader) is the user's
// edit, and the keypad's decimal key types the format's decimal separator.
#pragma once

#include <QLineEdit>

#include "numtext.h"

class Field : public QLineEdit
{
    Q_OBJECT

public:
    Field(const QString &unit, QWidget *parent);

    // "Pound [lb]", or "Grain [gr] (Troy)" where the label alone is ambiguous.
    const QString &unit() const { return m_unit; }

    // The numbers' format, as the locale gives it now: what a refusal's
    // words are written in, and what the keypad's decimal key types.
    void setFormat(numtext::Format format);
    // A figure a conversion made, and where rounding changed it, the value
    // behind it; a refusal goes with the old text.
    void showFigure(const QString &text, const QString &unrounded = {});
    // Why the text the user left in the field does not convert;
    // Error::None: it did. order tells refusals apart in time, the later the
    // larger.
    void setRefusal(numtext::Error error, quint64 order);
    numtext::Error refusal() const { return m_refusal; }
    quint64 refusalOrder() const { return m_refusalOrder; }
    // What the note says of the refusal: "Keine Zahl, z. B. 1,5".
    QString note() const;
    // Paints a refusal in its colours on the window's palette as it is now.
    void tint();

signals:
    // The focus moved on to another control of the window: the one moment a
    // field's text is converted.
    void left();
    // The refused text is gone: the user edited it, or it converted, or a
    // conversion wrote the field.
    void refusalWithdrawn();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // Where the text goes: the contents less the style's and the field's margins.
    QRect textRect() const;
    // Whether the text is wider than the field.
    bool clipped(QStringView shown) const;
    // The whole text, the caret at its start where it is wider than the
    // field, so that its sign and leading digits stay in view.
    void selectWhole();
    void describe();
    void edited();
    void withdrawRefusal();

    QString m_unit;
    numtext::Format m_format;
    QString m_unrounded;
    bool m_figure = false; // the text is a conversion's, not the user's
    numtext::Error m_refusal = numtext::Error::None;
    quint64 m_refusalOrder = 0;
    mutable int m_room = -1; // the width the text has; -1: to be measured
};
