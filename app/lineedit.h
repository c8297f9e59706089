// SPDX-License-Identifier: GPL-3.0-or-later
// Where a line edit's text stands and how wide a text is, measured one way
// for the field that paints a figure and for the font fit that makes room
// for one, so that the two agree on where a figure ends.
#pragma once

#include <QRect>
#include <QSize>
#include <QStringView>

QT_BEGIN_NAMESPACE
class QFont;
class QLineEdit;
class QStyleOptionFrame;
QT_END_NAMESPACE

namespace lineedit {

// Qt's line edit starts its text this far inside its text rect
// (QLineEditPrivate::horizontalMargin).
inline constexpr int textIndent = 2;

// Where the edit's text goes: the contents its style gives it, less its own
// text margins. option: the edit's own, from initStyleOption().
QRect textRect(const QLineEdit *edit, const QStyleOptionFrame &option);

// The room a text has there, from where it starts.
QSize room(const QLineEdit *edit, const QStyleOptionFrame &option);

// A text's width from its characters' advances: digits do not kern and
// kerning only narrows Latin text, so this never says a text fits that does
// not, and it needs no shaping, which writing a group of figures and the
// font fit at start-up would pay for many times. The advances of printable
// ASCII characters are asked of the font once.
qreal textWidth(const QFont &font, QStringView text);

} // namespace lineedit
