// SPDX-License-Identifier: GPL-3.0-or-later
// The sub-headings' colour: the theme's 3-D dark shadow where it reads as a
// colour of its own, a grey of the same role otherwise; and the contrast
// arithmetic (WCAG 2) that decides it.
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

// Gives the window's sub-headings that colour, on the palette the window has now.
void colourSubHeadings(QWidget *window);

} // namespace colours
