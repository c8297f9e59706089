// SPDX-License-Identifier: GPL-3.0-or-later
#include "fontfit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <utility>

#include <QFontInfo>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QImage>
#include <QPainter>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOption>
#include <QTextLayout>

#include "layout.h"
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

// The height of a line of text as a label draws it: whole pixels above and
// below the baseline.
int lineHeight(const QFont &font)
{
    return QFontMetrics(font).height();
}

// A value the fields must show whole: two digits before the separator and
// eight after it, as wide as this font's widest digits make it.
qreal widestValueWidth(const QFont &font)
{
    qreal digit = 0;
    for (char16_t c = u'0'; c <= u'9'; ++c)
        digit = std::max(digit, lineedit::textWidth(font, QStringView(&c, 1)));
    return 10 * digit + std::max(lineedit::textWidth(font, u"."), lineedit::textWidth(font, u","));
}

// The lines a word-wrapping label makes of text at this width, and their
// height as the label stacks them.
struct Lines {
    QStringList texts;
    qreal widest = 0;
    qreal height = 0;
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
    lines.height = -leading;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines.height += leading;
        line.setPosition(QPointF(0, lines.height));
        lines.height += line.height();
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
    // How far the frames' contents must move down to stand clear of the
    // frames' lines as the style draws them.
    int drop(const QFont &font, double scale);

private:
    bool fits(const layout::Control &c, const QFont &font, double scale, bool *hintBreak);
    bool captionFits(const QFont &font, const QRect &box, const QString &caption, int neighbour);
    // How far the captions' ink reaches above and below a line's top, in this font.
    std::pair<qreal, qreal> captionInk(const QFont &font);
    static bool hintFits(const QFont &font, const QRect &box, bool *hintBreak);
    bool fieldFits(const QFont &font, const QSize &size);
    bool frameFits(const QFont &font, const QRect &box, const QString &caption, int firstChildTop);
    bool buttonFits(const QFont &font, const QRect &box, const QString &caption);
    static bool noteFits(const QFont &font, double scale);
    // The room a field leaves its text, by the style's frame and margins.
    QSize fieldRoom(const QFont &font, const QSize &size);
    static int firstChildTop(const char *frame, double scale);
    // The first row of a frame that its line leaves clear, with a row of air.
    int clearOfFrameLine(const QFont &font);

    QStyle *m_style;
    FieldProbe m_field;
    FrameProbe m_frame;
    ButtonProbe m_button;
    std::pair<QFont, QSize> m_roomFor;
    QSize m_room;
    std::optional<std::pair<QFont, std::pair<qreal, qreal>>> m_ink;
};

Judge::Judge(QStyle *style)
    : m_style(style)
{
    for (QWidget *probe : std::initializer_list<QWidget *>{&m_field, &m_frame, &m_button})
        probe->setStyle(style);
    // Fusion lifts the line of a frame without a title to the top.
    m_frame.setTitle(QString::fromUtf8(layout::controls.front().caption));
}

qreal Judge::overflow(const QFont &font)
{
    qreal worst = 0;
    for (const layout::Control &c : layout::controls) {
        const QRect box = layout::pixelRect(c);
        if (c.kind == layout::Kind::Hint)
            worst = std::max(worst, 3.0 * lineHeight(font) / box.height());
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
    return noteFits(font, scale);
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
        return frameFits(font, box, caption, firstChildTop(c.name, scale));
    case layout::Kind::Button:
        return buttonFits(font, box, caption);
    }
    return false;
}

int Judge::firstChildTop(const char *frame, double scale)
{
    int top = layout::clientHeight;
    for (const layout::Control &c : layout::controls) {
        if (c.frame && std::string_view(c.frame) == frame)
            top = std::min(top, c.top);
    }
    return layout::pixels(top, scale);
}

int Judge::drop(const QFont &font, double scale)
{
    const int clear = clearOfFrameLine(font);
    int drop = 0;
    for (const layout::Control &c : layout::controls) {
        if (c.kind == layout::Kind::Frame)
            drop = std::max(drop, clear - firstChildTop(c.name, scale));
    }
    return drop;
}

// Styles draw the line where they please (Fusion a little below the title,
// the Windows styles through its middle, Adwaita none), so it is looked for
// where the style paints it, without the title, on a transparent ground.
int Judge::clearOfFrameLine(const QFont &font)
{
    QStyleOptionGroupBox option;
    m_frame.initStyleOption(&option);
    option.fontMetrics = QFontMetrics(font);
    option.subControls = QStyle::SC_GroupBoxFrame; // the line, not the title
    // Tall enough for a line below the title, and wide enough that it
    // shows right of where the title would be.
    const int height = 3 * lineHeight(font);
    option.rect = QRect(0, 0, int(lineedit::textWidth(font, option.text)) + height, height);
    QImage image(option.rect.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setFont(font);
        m_style->drawComplexControl(QStyle::CC_GroupBox, &option, &painter, &m_frame);
    }
    // Fusion lays a shade of a few hundredths over the whole inside. The
    // line shows at one end or the other, wherever the style puts the title.
    // An end the title leaves bare (Qt 6.8's Fusion leaves a gap for it)
    // says nothing; no line at either end, none at all.
    std::optional<int> clear;
    for (const int x : {height / 2, image.width() - height / 2}) {
        const auto drawn = [&](int y) { return qAlpha(image.pixel(x, y)) >= 16; };
        int y = 0;
        while (y < image.height() && !drawn(y))
            ++y;
        if (y == image.height())
            continue;
        int end = y;
        while (end < y + 3 && end + 1 < image.height() && drawn(end + 1))
            ++end;
        clear = std::min(clear.value_or(end + 2), end + 2);
    }
    return clear.value_or(0);
}

// Inside its box, ink included, since the field above is drawn over the
// box's top; and a space short of its right-hand neighbour, so that two
// captions never run together.
bool Judge::captionFits(const QFont &font, const QRect &box, const QString &caption, int neighbour)
{
    const qreal width = lineedit::textWidth(font, caption);
    if (width > box.width() || width + lineedit::textWidth(font, u" ") > neighbour || lineHeight(font) > box.height())
        return false;
    const auto [top, bottom] = captionInk(font);
    return top >= 0 && bottom <= box.height();
}

// Glyph by glyph over every caption's characters, which costs far less
// than laying out each caption.
std::pair<qreal, qreal> Judge::captionInk(const QFont &font)
{
    if (m_ink && m_ink->first == font)
        return m_ink->second;
    const QFontMetricsF metrics(font);
    qreal top = 0;
    qreal bottom = 0;
    std::array<bool, 256> seen{};
    for (const layout::Control &c : layout::controls) {
        if (c.kind != layout::Kind::Label && c.kind != layout::Kind::SubHeading)
            continue;
        for (const QChar ch : QString::fromUtf8(c.caption)) {
            if (ch.unicode() < seen.size() && std::exchange(seen[ch.unicode()], true))
                continue;
            const QRectF ink = metrics.boundingRect(ch);
            top = std::min(top, metrics.ascent() + ink.top());
            bottom = std::max(bottom, metrics.ascent() + ink.bottom());
        }
    }
    m_ink.emplace(font, std::pair(top, bottom));
    return m_ink->second;
}

bool Judge::hintFits(const QFont &font, const QRect &box, bool *hintBreak)
{
    const auto fitsAs = [&](bool lineBreak) {
        const Lines lines = wrap(hintText(lineBreak), font, box.width());
        const QLatin1String heading(layout::hintHeading.data(), qsizetype(layout::hintHeading.size()));
        return lines.texts.size() > 1 && lines.texts.front().trimmed() == heading && lines.widest <= box.width()
            && lines.height <= box.height();
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

bool Judge::fieldFits(const QFont &font, const QSize &size)
{
    const QSize room = fieldRoom(font, size);
    return widestValueWidth(font) <= room.width() && lineHeight(font) <= room.height();
}

// The probes lend their options; font, size and text go in the options
// only, since setting them on a widget costs more than the question.
bool Judge::frameFits(const QFont &font, const QRect &box, const QString &caption, int firstChildTop)
{
    QStyleOptionGroupBox option;
    m_frame.initStyleOption(&option);
    option.fontMetrics = QFontMetrics(font);
    option.rect = QRect(QPoint(), box.size());
    option.text = caption;
    const QRect title = m_style->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &m_frame);
    // Inside the frame, and its text above the frame's first row of controls.
    return title.left() >= 0 && title.right() < box.width() && title.top() + lineHeight(font) <= firstChildTop;
}

bool Judge::buttonFits(const QFont &font, const QRect &box, const QString &caption)
{
    QStyleOptionButton option;
    m_button.initStyleOption(&option);
    option.fontMetrics = QFontMetrics(font);
    option.rect = QRect(QPoint(), box.size());
    option.text = caption;
    const QRect contents = m_style->subElementRect(QStyle::SE_PushButtonContents, &option, &m_button);
    return lineedit::textWidth(font, caption) <= contents.width() && lineHeight(font) <= contents.height();
}

bool Judge::noteFits(const QFont &font, double scale)
{
    const QRect box = layout::noteTextRect(scale);
    qreal widest = 0;
    for (const QString &line : refusals::noteLines())
        widest = std::max(widest, lineedit::textWidth(font, line));
    return widest <= box.width() && QFontMetrics(font).lineSpacing() + lineHeight(font) <= box.height();
}

QFont sized(QFont font, qreal points)
{
    font.setPointSizeF(points);
    return font;
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

Fit fit(const QFont &desktop, QStyle *style)
{
    Judge judge(style);
    Fit result{desktop};
    const auto dropped = [&judge](Fit fit) {
        fit.drop = judge.drop(fit.font, fit.scale);
        return fit;
    };
    if (judge.fits(desktop, 1, &result.hintBreak))
        return dropped(result);
    // A desktop font given in pixels gives way as its size in points does.
    const qreal size = desktop.pointSizeF() > 0 ? desktop.pointSizeF() : QFontInfo(desktop).pointSizeF();

    // Half points down towards three quarters of the desktop's size, from
    // about where what overflows most would just fit, so that start-up loads
    // the font at few sizes.
    const qreal floor = 0.75 * size;
    qreal start = std::ceil(2 * size) / 2 - 0.5;
    if (const qreal ratio = judge.overflow(desktop); ratio > 1)
        start = std::min(start, std::round(2 * size / ratio) / 2);
    for (qreal points = start; points > floor; points -= 0.5) {
        if (judge.fits(sized(desktop, points), 1, &result.hintBreak)) {
            result.font = sized(desktop, points);
            return dropped(result);
        }
    }

    // Three quarters in the smallest window that fits: up in twentieths to
    // the first that does, then back in hundredths.
    result.font = sized(desktop, floor);
    int hundredths = 100;
    while (hundredths < 400 && !judge.fits(result.font, hundredths / 100.0, nullptr))
        hundredths += 5;
    const int coarse = hundredths;
    while (hundredths > std::max(coarse - 4, 100) && judge.fits(result.font, (hundredths - 1) / 100.0, nullptr))
        --hundredths;
    result.scale = hundredths / 100.0;
    judge.fits(result.font, result.scale, &result.hintBreak);
    return dropped(result);
}

} // namespace fontfit
