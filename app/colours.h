// SPDX-License-Identifier: GPL-3.0-or-later
// The window's own colours: the sub-headings' colour, the theme's 3-D dark
// shadow where it reads as a colour of its own and a grey of the same role
// otherwise, with the contrast arithmetic (WCAG 2) that decides it; and the
// colours of a refused field and its note.
#pragma once

#include <QColor>

QT_BEGIN_NAMESPACE
class QPalette;
class QWidget;
QT_END_NAMESPACE

namespace colours {

// The contrast ratio of two opaque colours, 1 to 21.
double contrast(const QColor &a, const QColor &b);

// How a colour looks painted over an opaque background.
QColor over(const QColor &colour, const QColor &background);

// The shadow colour as painted on the window where it has at least 4.5:1
// against the window and stands apart from the normal text; otherwise a grey
// between the two, on the text's side of the window.
QColor subHeading(const QPalette &palette);

// Gives the window's sub-headings that colour, on the palette the window has
// now: for each of its states (active, inactive, disabled) from its own colours.
void colourSubHeadings(QWidget *window);

// A refused field and its note: dark red on pale red whatever the theme,
// readable on light and dark desktops alike.
inline QColor refusalInk() { return {0x8b, 0x00, 0x00}; }
inline QColor refusalPaper() { return {0xff, 0xf0, 0xf0}; }

} // namespace colours
