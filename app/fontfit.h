// SPDX-License-Identifier: GPL-3.0-or-later
// The window's font and size. The geometry is fixed in twips and the font is
// the desktop's; where the two do not go together at the desktop's size, the
// font gives way first, by at most a quarter of its size, and then the whole
// window grows by one factor.
#pragma once

#include <QFont>
#include <QString>

QT_BEGIN_NAMESPACE
class QStyle;
QT_END_NAMESPACE

namespace fontfit {

struct Fit {
    QFont font;
    double scale = 1.0;     // every twip value of the window is multiplied by this
    bool hintBreak = false; // the hint needs a line break after its heading
    int drop = 0;           // pixels the frames' contents move down, clear of the style's frame lines
};

// Whether, with this font in a window enlarged by scale and drawn by this
// style, every one-line caption, the hint, the frame titles, the button, a
// field's value and the note stand inside their boxes. hintBreak
// tells whether the hint only fits with a line break after its heading.
bool fits(const QFont &font, double scale, QStyle *style, bool *hintBreak = nullptr);

// The desktop's font where it fits; otherwise the first size that fits in
// half points down to three quarters of it, starting from about where what
// overflows most would just fit (a size above that start may fit too, and is
// not tried: each try costs start-up); otherwise three quarters of it in a
// window enlarged by the smallest factor (in hundredths) at which it fits. A
// font given in pixels gives way as its size in points does. Where the style
// draws a frame's line through the frame's first row, the frames' contents
// move down until the line stands clear above them.
Fit fit(const QFont &desktop, QStyle *style);

// The hint as its label shows it: the caption, with a line break after the
// heading's run of spaces where those do not push the sentence on alone.
QString hintText(bool lineBreak);

} // namespace fontfit
