// SPDX-License-Identifier: GPL-3.0-or-later
#include "fontfit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>

#include <QFontInfo>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QGroupBox>
#include <QHash>
#include <QLineEdit>
#include <QPushButton>
#include <QRawFont>
#include <QStyle>
#include <QStyleOption>
#include <QTextLayout>

#include "lineedit.h"
#include "refusals.h"

namespace fontfit {

namespace {

// Widgets that only lend the style their options, so that it answers with
// its own frames, margins and title fonts.
class FieldProbe : public QLineEdit
{
public:
    using QLineEdit::initStyleOption;
};

class FrameProbe : public QGroupBox
{
public:
    using QGroupBox::initStyleOption;
};

class ButtonProbe : public QPushButton
{
public:
    using QPushButton::initStyleOption;
};

// A value the fields must show whole: two digits before the separator and
// eight after it, as wide as this font's widest digits make it.
qreal widestValueWidth(const QFont &font)
{
    qreal digit = 0;
    for (char16_t c = u'0'; c <= u'9'; ++c)
        digit = std::max(digit, lineedit::textWidth(font, QStringView(&c, 1)));
    return 10 * digit + std::max(lineedit::textWidth(font, u"."), lineedit::textWidth(font, u","));
}

// Every character that the captions, frame titles, button, hint and note
// are made of, once.
const QString &captionCharacters()
{
    static const QString characters = [] {
        QString all;
        const auto add = [&all](const QString &text) {
            for (const QChar c : text) {
                if (!all.contains(c))
                    all += c;
            }
        };
        for (const layout::Control &c : layout::controls)
            add(QString::fromUtf8(c.caption));
        for (const QString &line : refusals::noteLines())
            add(line);
        return all;
    }();
    return characters;
}

// How a character sits on a line: the ascent and descent of the font that
// draws it, and its ink from the baseline, up negative.
struct Glyph {
    qreal ascent = 0, descent = 0;
    qreal top = 0, bottom = 0;
};

// The captions' characters as the font draws them, or the fonts the system
// falls back to for those it lacks: a Tamil font draws its own digits, and
// the Latin letters come from another. Qt gives every line the font's own
// ascent and descent too, whichever fonts draw it: Noto Sans Myanmar's are
// far larger than those of the Latin font that draws the captions.
struct Glyphs {
    qreal ascent = 0, descent = 0;
    QHash<QChar, Glyph> of;
};

Glyphs glyphsOf(const QFont &font)
{
    const QRawFont own = QRawFont::fromFont(font);
    Glyphs all{own.ascent(), own.descent(), {}};
    QHash<QChar, Glyph> &glyphs = all.of;
    const auto take = [](Glyph &glyph, const QRawFont &raw, quint32 index) {
        const QRectF ink = raw.boundingRect(index);
        glyph = {std::max(glyph.ascent, raw.ascent()), std::max(glyph.descent, raw.descent()),
                 std::min(glyph.top, ink.top()), std::max(glyph.bottom, ink.bottom())};
    };
    QString missing;
    for (const QChar c : captionCharacters()) {
        if (!own.supportsCharacter(c)) {
            missing += c;
            continue;
        }
        quint32 index = 0;
        int count = 1;
        own.glyphIndexesForChars(&c, 1, &index, &count);
        take(glyphs[c], own, index);
    }
    if (missing.isEmpty())
        return all;
    QTextLayout layout(missing, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    for (qsizetype i = 0; i < missing.size(); ++i) {
        Glyph &glyph = glyphs[missing[i]];
        const QList<QGlyphRun> runs = layout.glyphRuns(int(i), 1);
        for (const QGlyphRun &run : runs) {
            const QList<quint32> indexes = run.glyphIndexes();
            for (const quint32 index : indexes)
                take(glyph, run.rawFont(), index);
        }
    }
    return all;
}

// A line of text as a label lays it out, as tall as the fonts of its
// characters make it.
struct Line {
    int height = 0;
    qreal above = 0; // ink above the line's top: more than 0 is cut off
    qreal below = 0; // the lowest ink, from the line's top
};

Line lineOf(QStringView text, const Glyphs &glyphs)
{
    qreal ascent = glyphs.ascent;
    qreal descent = glyphs.descent;
    qreal top = 0;
    qreal bottom = 0;
    for (const QChar c : text) {
        const Glyph glyph = glyphs.of.value(c);
        ascent = std::max(ascent, glyph.ascent);
        descent = std::max(descent, glyph.descent);
        top = std::min(top, glyph.top);
        bottom = std::max(bottom, glyph.bottom);
    }
    return {int(std::ceil(ascent + descent)), -top - ascent, ascent + bottom};
}

// The lines a word-wrapping label makes of text at this width, and where
// the label stacks the last of them.
struct Lines {
    QStringList texts;
    qreal widest = 0;
    qreal lastTop = 0;
};

Lines wrap(const QString &text, const QFont &font, qreal width)
{
    QString laid = text;
    laid.replace(u'\n', QChar::LineSeparator);
    QTextLayout layout(laid, font);
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    const qreal leading = QFontMetricsF(font).leading();
    Lines lines;
    qreal top = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines.lastTop = top;
        top += line.height() + leading;
        lines.widest = std::max(lines.widest, line.naturalTextWidth());
        lines.texts << laid.mid(line.textStart(), line.textLength());
    }
    layout.endLayout();
    return lines;
}

// Whether a font fits the window, asked of the style through its probes.
class Judge
{
public:
    explicit Judge(QStyle *style);

    // How far the font overflows the window at scale 1 where it overflows
    // most: the widest one-line caption, three lines of the hint, the value
    // in a field. More than 1 does not fit, and about that much smaller a
    // font would.
    qreal overflow(const QFont &font);
    bool fits(const QFont &font, double scale, bool *hintBreak);
    // How far right and down the frames' contents must move to stand where
    // the style keeps room for them, below the titles; none where they do
    // not fit there.
    std::optional<QPoint> inset(const QFont &font, double scale);

private:
    bool fits(const layout::Control &c, const QFont &font, double scale, bool *hintBreak);
    bool captionFits(const QFont &font, const QRect &box, const QString &caption, int neighbour);
    bool hintFits(const QFont &font, const QRect &box, bool *hintBreak);
    bool fieldFits(const QFont &font, const QSize &size);
    bool buttonFits(const QFont &font, const QRect &box, const QString &caption);
    bool noteFits(const QFont &font, double scale);
    // The room a field leaves its text, by the style's frame and margins.
    QSize fieldRoom(const QFont &font, const QSize &size);
    // A line of these captions' characters in the font.
    Line line(const QFont &font, QStringView text);

    QStyle *m_style;
    FieldProbe m_field;
    FrameProbe m_frame;
    ButtonProbe m_button;
    std::pair<QFont, QSize> m_roomFor;
    QSize m_room;
    std::optional<std::pair<QFont, Glyphs>> m_glyphs;
};

Judge::Judge(QStyle *style)
    : m_style(style)
{
    for (QWidget *probe : std::initializer_list<QWidget *>{&m_field, &m_frame, &m_button})
        probe->setStyle(style);
    // Fusion lifts the line of a frame without a title to the top.
    m_frame.setTitle(QString::fromUtf8(layout::controls.front().caption));
}

Line Judge::line(const QFont &font, QStringView text)
{
    if (!m_glyphs || !(m_glyphs->first == font))
        m_glyphs.emplace(font, glyphsOf(font));
    return lineOf(text, m_glyphs->second);
}

qreal Judge::overflow(const QFont &font)
{
    qreal worst = 0;
    for (const layout::Control &c : layout::controls) {
        const QRect box = layout::pixelRect(c);
        if (c.kind == layout::Kind::Hint)
            worst = std::max(worst, 3.0 * line(font, hintText(false)).height / box.height());
        else if (c.kind == layout::Kind::Label || c.kind == layout::Kind::SubHeading)
            worst = std::max(worst, lineedit::textWidth(font, QString::fromUtf8(c.caption)) / box.width());
        else if (c.kind == layout::Kind::Field)
            worst = std::max(worst, widestValueWidth(font) / fieldRoom(font, box.size()).width());
    }
    return worst;
}

bool Judge::fits(const QFont &font, double scale, bool *hintBreak)
{
    for (const layout::Control &c : layout::controls) {
        if (!fits(c, font, scale, hintBreak))
            return false;
    }
    return noteFits(font, scale) && inset(font, scale);
}

bool Judge::fits(const layout::Control &c, const QFont &font, double scale, bool *hintBreak)
{
    const QRect box = layout::pixelRect(c, scale);
    const QString caption = QString::fromUtf8(c.caption);
    switch (c.kind) {
    case layout::Kind::Label:
    case layout::Kind::SubHeading:
    {
        const int covered = layout::coveredLeft(c, scale);
        return captionFits(font, box.adjusted(covered, 0, 0, 0), caption,
                           layout::pixels(c.left + layout::neighbourAt[std::size_t(&c - layout::controls.data())], scale)
                               - box.left() - covered);
    }
    case layout::Kind::Hint:
        return hintFits(font, box, hintBreak);
    case layout::Kind::Field:
        return fieldFits(font, box.size());
    case layout::Kind::Frame:
        return true; // its title and contents: inset()
    case layout::Kind::Button:
        return buttonFits(font, box, caption);
    }
    return false;
}

std::optional<QPoint> Judge::inset(const QFont &font, double scale)
{
    struct Frame {
        QRect room;  // where the style keeps room for the contents
        QRect holds; // where the contents stand
    };
    std::array<Frame, layout::frameCount> frames;
    QPoint inset;
    std::size_t at = 0;
    for (const layout::Control &f : layout::controls) {
        if (f.kind != layout::Kind::Frame)
            continue;
        QStyleOptionGroupBox option;
        m_frame.initStyleOption(&option);
        option.fontMetrics = QFontMetrics(font);
        option.rect = QRect(QPoint(), layout::pixelRect(f, scale).size());
        option.text = QString::fromUtf8(f.caption);
        const QRect title = m_style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &m_frame);
        if (title.left() < 0 || title.right() >= option.rect.width())
            return std::nullopt;
        // Fusion before Qt 6.8 draws every frame's line below room for a
        // check box, where the contents of a frame without one begin above
        // the line: the room of a checkable frame is clear of it in every
        // style, and inside the room of a frame without one.
        option.subControls |= QStyle::SC_GroupBoxCheckBox;
        Frame &frame = frames[at++];
        frame.room = m_style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxContents, &m_frame);
        for (const layout::Control &c : layout::controls) {
            if (c.frame && std::string_view(c.frame) == f.name)
                frame.holds |= layout::pixelRect(c, scale);
        }
        // The title's ink, drawn by the fonts that draw it, clear above the contents too.
        const int top = std::max(frame.room.top(), title.top() + int(std::ceil(line(font, option.text).below)));
        inset = QPoint(std::max(inset.x(), frame.room.left() - frame.holds.left()),
                       std::max(inset.y(), top - frame.holds.top()));
    }
    // A frame grows by the part down, so its room's bottom moves with its contents.
    for (const Frame &frame : frames) {
        if (frame.holds.right() + inset.x() > frame.room.right() || frame.holds.bottom() > frame.room.bottom())
            return std::nullopt;
    }
    return inset;
}

// Inside its box, ink included, since the field above is drawn over the
// box's top; and a space short of its right-hand neighbour, so that two
// captions never run together.
bool Judge::captionFits(const QFont &font, const QRect &box, const QString &caption, int neighbour)
{
    const qreal width = lineedit::textWidth(font, caption);
    if (width > box.width() || width + lineedit::textWidth(font, u" ") > neighbour)
        return false;
    const Line measured = line(font, caption);
    return measured.above <= 0 && measured.below <= box.height();
}

bool Judge::hintFits(const QFont &font, const QRect &box, bool *hintBreak)
{
    // Its lines stacked as tall as their fonts make them, and the last
    // one's ink inside the box.
    const auto fitsAs = [&](bool lineBreak) {
        const Lines lines = wrap(hintText(lineBreak), font, box.width());
        const QLatin1String heading(layout::hintHeading.data(), qsizetype(layout::hintHeading.size()));
        return lines.texts.size() > 1 && lines.texts.front().trimmed() == heading && lines.widest <= box.width()
            && lines.lastTop + line(font, lines.texts.back()).below <= box.height();
    };
    for (const bool lineBreak : {false, true}) {
        if (fitsAs(lineBreak)) {
            if (hintBreak)
                *hintBreak = lineBreak;
            return true;
        }
    }
    return false;
}

QSize Judge::fieldRoom(const QFont &font, const QSize &size)
{
    if (m_roomFor == std::pair(font, size))
        return m_room;
    m_field.setFont(font);
    m_field.resize(size);
    // Styles set text margins in polish, from the field's size and font.
    m_style->polish(&m_field);
    QStyleOptionFrame option;
    m_field.initStyleOption(&option);
    m_roomFor = {font, size};
    m_room = lineedit::room(&m_field, option);
    return m_room;
}

// The figures are the font's own digits, which the line edit stacks by its
// font's height.
bool Judge::fieldFits(const QFont &font, const QSize &size)
{
    const QSize room = fieldRoom(font, size);
    return widestValueWidth(font) <= room.width() && QFontMetrics(font).height() <= room.height();
}

// The probes lend their options; font, size and text go in the options
// only, since setting them on a widget costs more than the question.
bool Judge::buttonFits(const QFont &font, const QRect &box, const QString &caption)
{
    QStyleOptionButton option;
    m_button.initStyleOption(&option);
    option.fontMetrics = QFontMetrics(font);
    option.rect = QRect(QPoint(), box.size());
    option.text = caption;
    const QRect contents = m_style->subElementRect(QStyle::SE_PushButtonContents, &option, &m_button);
    return lineedit::textWidth(font, caption) <= contents.width() && line(font, caption).height <= contents.height();
}

bool Judge::noteFits(const QFont &font, double scale)
{
    const QRect box = layout::noteTextRect(scale);
    qreal widest = 0;
    int height = 0;
    for (const QString &text : refusals::noteLines()) {
        widest = std::max(widest, lineedit::textWidth(font, text));
        height = std::max(height, line(font, text).height);
    }
    return widest <= box.width() && 2 * height + QFontMetricsF(font).leading() <= box.height();
}

QFont sized(QFont font, qreal points)
{
    font.setPointSizeF(points);
    return font;
}

// The smallest factor, in hundredths, from lowest up to highest at which
// the font fits: up in twentieths to the first that does, then back in
// hundredths.
std::optional<int> smallestScale(Judge &judge, const QFont &font, int lowest, int highest)
{
    int hundredths = lowest;
    while (!judge.fits(font, hundredths / 100.0, nullptr)) {
        if (hundredths >= highest)
            return std::nullopt;
        hundredths = std::min(hundredths + 5, highest);
    }
    const int coarse = hundredths;
    while (hundredths > std::max(coarse - 4, lowest) && judge.fits(font, (hundredths - 1) / 100.0, nullptr))
        --hundredths;
    return hundredths;
}

} // namespace

QString hintText(bool lineBreak)
{
    QString text = QString::fromUtf8(layout::hint.data(), qsizetype(layout::hint.size()));
    if (lineBreak)
        text.insert(qsizetype(layout::hintSentence), u'\n');
    return text;
}

bool fits(const QFont &font, double scale, QStyle *style, bool *hintBreak)
{
    return Judge(style).fits(font, scale, hintBreak);
}

Fit fit(const QFont &desktop, QStyle *style, const QSize &room)
{
    Judge judge(style);
    bool bounded = false;
    // Whether the window, with this font and grown by this factor in
    // hundredths, stands inside room.
    const auto inside = [&](const QFont &font, int hundredths) {
        const double scale = hundredths / 100.0;
        const QSize client = layout::clientSize({scale, judge.inset(font, scale).value_or(QPoint()), {}});
        return client.width() <= room.width() && client.height() <= room.height();
    };
    const auto within = [&](const QFont &font, int hundredths) {
        const bool is = inside(font, hundredths);
        bounded = bounded || !is;
        return is;
    };
    // No screen is sixteen times the layout's size.
    const auto largestScale = [&](const QFont &font) {
        int hundredths = std::min({room.width() * 1500 / layout::clientWidth,
                                   room.height() * 1500 / layout::clientHeight, 1600});
        while (hundredths > 1 && !inside(font, hundredths))
            --hundredths;
        return std::max(hundredths, 1);
    };
    const auto made = [&](const QFont &font, int hundredths, bool found = true) {
        Fit result{font, {hundredths / 100.0, {}, {}}, false, found, bounded};
        judge.fits(font, result.placement.scale, &result.hintBreak);
        result.placement.inset = judge.inset(font, result.placement.scale).value_or(QPoint());
        return result;
    };
    const auto fitsInRoom = [&](const QFont &font) { return judge.fits(font, 1, nullptr) && within(font, 100); };

    if (fitsInRoom(desktop))
        return made(desktop, 100);
    // A desktop font given in pixels gives way as its size in points does.
    const qreal size = desktop.pointSizeF() > 0 ? desktop.pointSizeF() : QFontInfo(desktop).pointSizeF();
    const qreal threeQuarters = 0.75 * size;
    const QFont smaller = sized(desktop, threeQuarters);
    const bool layoutInRoom = within(smaller, 100);
    if (layoutInRoom) {
        // Half points down towards three quarters of the desktop's size,
        // from about where what overflows most would just fit, so that
        // start-up loads the font at few sizes.
        qreal start = std::ceil(2 * size) / 2 - 0.5;
        if (const qreal ratio = judge.overflow(desktop); ratio > 1)
            start = std::min(start, std::round(2 * size / ratio) / 2);
        for (qreal points = start; points > threeQuarters; points -= 0.5) {
            if (fitsInRoom(sized(desktop, points)))
                return made(sized(desktop, points), 100);
        }
        // Three quarters in the smallest window that fits.
        if (const std::optional<int> hundredths = smallestScale(judge, smaller, 100, largestScale(smaller)))
            return made(smaller, *hundredths);
        bounded = true;
    }

    // The screen has not the room: the largest font that fits in the room
    // it has, in the smallest window from the layout's own size up, or, on
    // a screen smaller than the layout, in all the room there is.
    const qreal smallest = std::min(smallestPoints, threeQuarters);
    for (qreal points = layoutInRoom ? std::ceil(2 * threeQuarters) / 2 - 0.5 : size; points >= smallest;
         points -= 0.5) {
        const QFont font = sized(desktop, points);
        const int largest = largestScale(font);
        if (largest < 100) {
            if (judge.fits(font, largest / 100.0, nullptr))
                return made(font, largest);
        } else if (const std::optional<int> hundredths = smallestScale(judge, font, 100, largest)) {
            return made(font, *hundredths);
        }
    }

    // Nothing fits: the smallest font, in a window as large as its text
    // would need, as far as the room goes.
    const QFont font = sized(desktop, smallest);
    const int wanted = int(std::ceil(100 * std::max(1.0, judge.overflow(font))));
    return made(font, std::min(wanted, largestScale(font)), false);
}

} // namespace fontfit
