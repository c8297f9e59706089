// SPDX-License-Identifier: GPL-3.0-or-later
// A field of the window: a line edit that knows the name of its unit, the
// value behind a figure that rounding cut short, and why its text was
// refused, and tells the last two in its tooltip and accessible description.
// Its leading digits are always in view: where a figure is wider than the
// field, its end gives way to an ellipsis and the tooltip gives it whole.
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

    // A figure a conversion made, and where rounding changed it, the value
    // behind it; a refusal goes with the old text.
    void showFigure(const QString &text, const QString &unrounded = {});
    // Why the text the user left in the field does not convert, in the
    // locale's format; Error::None: it did.
    void setRefusal(numtext::Error error, numtext::Format format);
    numtext::Error refusal() const { return m_refusal; }

signals:
    // The refused text is gone: the user edited it, or it converted, or a
    // conversion wrote the field.
    void refusalWithdrawn();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // Where the text goes: the contents less the style's and the field's margins.
    QRect textRect() const;
    // Whether the text is wider than the field.
    bool clipped(QStringView shown) const;
    void describe();
    void withdrawRefusal();

    QString m_unit;
    QString m_unrounded;
    numtext::Error m_refusal = numtext::Error::None;
    QString m_explanation; // of the refusal
    bool m_tinted = false;
    mutable int m_room = -1; // the width the text has; -1: to be measured
};
