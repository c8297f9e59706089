// SPDX-License-Identifier: GPL-3.0-or-later
// The window's font and size. The geometry is fixed in twips and the font is
// the desktop's; where the two do not go together at the desktop's size, the
// font gives way first, by at most a quarter of its size, and then the whole
// window grows by one factor, never beyond the room the screen gives it.
// Where even that is too much, font and window shrink together. Text is
// measured with the fonts that draw it: a desktop font of another script
// draws the German captions with the Latin font the system falls back to.
#pragma once

#include <QFont>
#include <QSize>
#include <QString>

#include "layout.h"

QT_BEGIN_NAMESPACE
class QStyle;
QT_END_NAMESPACE

namespace fontfit {

// No smaller than this, in points, however small the screen: the fields'
// figures stay readable.
inline constexpr qreal smallestPoints = 6;

struct Fit {
    QFont font;
    layout::Placement placement; // its scale, and the frames' contents' inset
    bool hintBreak = false;      // the hint needs a line break after its heading
    // Whether it is a fit at all: where no font of at least smallestPoints
    // fits in the room given, this is the best window within that room,
    // with something cut short.
    bool found = true;
    // Whether the room ruled out a larger font or window: otherwise any
    // room that holds this window gives the same fit.
    bool bounded = false;
};

// Whether, with this font in a window enlarged by scale and drawn by this
// style, every one-line caption, the hint, the frame titles, the button, a
// field's value, the note and each frame's contents stand inside their
// boxes. hintBreak tells whether the hint only fits with a line break after
// its heading.
bool fits(const QFont &font, double scale, QStyle *style, bool *hintBreak = nullptr);

// The desktop's font where it fits; otherwise the first size that fits in
// half points down to three quarters of it, starting from about where what
// overflows most would just fit (a size above that start may fit too, and is
// not tried: each try costs start-up); otherwise three quarters of it in a
// window enlarged by the smallest factor (in hundredths) at which it fits.
// None of these may be larger than room, the client area the screen leaves
// the window: then the largest size below three quarters that fits in room,
// in the smallest window that holds it. A font given in pixels gives way as
// its size in points does. The frames' contents stand where the style keeps
// room for them, clear of its frame lines.
Fit fit(const QFont &desktop, QStyle *style, const QSize &room);

// The hint as its label shows it: the caption, with a line break after the
// heading's run of spaces where those do not push the sentence on alone.
QString hintText(bool lineBreak);

} // namespace fontfit
