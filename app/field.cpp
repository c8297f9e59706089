// SPDX-License-Identifier: GPL-3.0-or-later
#include "field.h"

#include <algorithm>
#include <limits>

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFrame>

#include "colours.h"
#include "lineedit.h"
#include "refusals.h"

namespace {

// No figure is longer: a longer text is the user's own, and no tooltip repeats it.
constexpr qsizetype longestFigure = 64;

} // namespace

Field::Field(const QString &unit, QWidget *parent)
    : QLineEdit(parent)
    , m_unit(unit)
{
    setMaxLength(std::numeric_limits<int>::max()); // a long paste is never cut short
    connect(this, &QLineEdit::textEdited, this, &Field::edited);
}

// What the user types is theirs: no value behind it, nothing refused yet.
void Field::edited()
{
    m_figure = false;
    m_unrounded.clear();
    withdrawRefusal();
    describe();
}

void Field::showFigure(const QString &text, const QString &unrounded)
{
    setText(text);
    setCursorPosition(0); // show the leading digits of a long value
    m_figure = true;
    m_unrounded = unrounded;
    withdrawRefusal();
    describe();
}

void Field::setFormat(numtext::Format format)
{
    if (format == m_format)
        return;
    m_format = format;
    describe();
}

QString Field::note() const
{
    return refusals::note(m_refusal, text(), m_format);
}

// Tab selects the whole text with the caret at its end, which scrolls a
// wide figure to its last digits: the same selection from the end back
// keeps its sign and leading digits in view.
void Field::selectWhole()
{
    const int size = int(text().size());
    if (clipped(text()))
        setSelection(size, -size);
    else
        selectAll();
}

void Field::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    if (selectionStart() == 0 && selectionLength() == text().size())
        selectWhole();
}

// The keypad's decimal key: the decimal separator, whatever the keyboard
// layout puts on it.
void Field::keyPressEvent(QKeyEvent *event)
{
    if ((event->modifiers() & Qt::KeypadModifier) && (event->text() == u"." || event->text() == u",")) {
        QKeyEvent decimal(event->type(), event->key(), event->modifiers(), QString(QChar(m_format.decimal)),
                          event->isAutoRepeat(), ushort(event->count()));
        QLineEdit::keyPressEvent(&decimal);
        event->setAccepted(decimal.isAccepted());
        return;
    }
    QLineEdit::keyPressEvent(event);
}

// A field holds one number: a double click takes it whole, not the digits
// on one side of its separator, and so does the triple click after it.
void Field::mouseDoubleClickEvent(QMouseEvent *event)
{
    QLineEdit::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        selectWhole();
}

void Field::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    // Only a move to another control of this window leaves the field: not a
    // switch to another window, the field's own context menu, or the window
    // closing. Qt has already made the new widget the focus widget.
    const Qt::FocusReason reason = event->reason();
    const QWidget *next = QApplication::focusWidget();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason || !window()->isVisible() || !next
        || next == this || next->window() != window())
        return;
    // Its start in view again; the line edit scrolls only as it paints, and
    // a figure written next, shorter than this text, would keep its scroll
    // and show its last digits.
    if (cursorPosition() != 0 && clipped(text())) {
        setCursorPosition(0);
        repaint();
    }
    emit left();
}

void Field::dropEvent(QDropEvent *event)
{
    if (isReadOnly() || !event->mimeData()->hasText())
        return QLineEdit::dropEvent(event);
    // Leaving the field is what converts it, so a drop brings the focus;
    // first, so that the field it leaves converts before the drop lands.
    setFocus(Qt::OtherFocusReason);
    // A figure is the conversion's: a text dropped on it takes its place
    // rather than mixing into its digits, as a paste over it would.
    if (m_figure && event->source() != this) {
        event->acceptProposedAction();
        selectAll();
        insert(event->mimeData()->text());
    } else {
        QLineEdit::dropEvent(event);
    }
    if (event->isAccepted())
        edited();
}

void Field::paintEvent(QPaintEvent *event)
{
    QLineEdit::paintEvent(event);
    // With the caret at the start the text stands unscrolled: cover what
    // follows the last character that fits whole beside an ellipsis, so that
    // no digit shows in part and the cut is plain to see. A figure's
    // exponent, its magnitude, stays after the ellipsis: "1,2345…E+41".
    const bool allSelected = selectionStart() == 0 && selectionLength() == text().size();
    if (cursorPosition() != 0 || (hasSelectedText() && !allSelected) || !clipped(text()))
        return;
    const QRect room = textRect();
    const QString shown = text();
    const qsizetype exponent = m_figure && shown.size() <= longestFigure ? shown.lastIndexOf(u'E') : -1;
    const QString tail = QChar(0x2026) + (exponent > 0 ? shown.sliced(exponent) : QString());
    const qreal tailWidth = lineedit::textWidth(font(), tail);
    // Measured as clipped() measures, so the two agree on what fits.
    qreal kept = 0;
    for (qsizetype length = 1; length <= std::min(exponent > 0 ? exponent : shown.size(), longestFigure); ++length) {
        const qreal width = lineedit::textWidth(font(), QStringView(shown).left(length));
        if (lineedit::textIndent + width + tailWidth > room.width())
            break;
        kept = width;
    }
    // The line as the line edit centres it, cut where the first character
    // that does not fit begins: glyphs may stand at fractions of a pixel
    // (Windows' DirectWrite, scaled displays), and a cut rounded up would
    // leave a sliver of that character in view.
    const int lineHeight = fontMetrics().height();
    const int lineTop = room.top() + (room.height() - lineHeight + 1) / 2;
    const qreal cutLeft = room.left() + lineedit::textIndent + kept;
    const QRectF cut(cutLeft, lineTop, room.right() + 1 - cutLeft, lineHeight);
    // Opaque even where the style's field colour is not (Windows 11's is a
    // translucent white over the window), or the covered digits would show.
    const QColor window = colours::over(palette().color(QPalette::Window), Qt::white);
    const QColor paper = colours::over(palette().color(allSelected ? QPalette::Highlight : QPalette::Base), window);
    QPainter painter(this);
    painter.fillRect(cut, paper);
    painter.setPen(palette().color(allSelected ? QPalette::HighlightedText : QPalette::Text));
    painter.drawText(cut, Qt::AlignLeft | Qt::AlignVCenter, tail);
}

void Field::changeEvent(QEvent *event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::StyleChange) {
        // Adwaita sets a line edit's text margins as it polishes it and
        // leaves them to the style after it: only the new style's count,
        // as on a fresh start.
        setTextMargins(QMargins());
        style()->polish(this);
    }
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        m_room = -1;
        describe();
    }
}

void Field::resizeEvent(QResizeEvent *event)
{
    QLineEdit::resizeEvent(event);
    m_room = -1;
    describe(); // a figure may now fit, or no longer
}

QRect Field::textRect() const
{
    QStyleOptionFrame option;
    initStyleOption(&option);
    return lineedit::textRect(this, option);
}

bool Field::clipped(QStringView shown) const
{
    if (shown.isEmpty())
        return false;
    if (shown.size() > longestFigure)
        return true;
    if (m_room < 0) {
        QStyleOptionFrame option;
        initStyleOption(&option);
        m_room = lineedit::room(this, option).width();
    }
    return lineedit::textWidth(font(), shown) > m_room;
}

void Field::setRefusal(numtext::Error error, quint64 order)
{
    if (error == numtext::Error::None) {
        withdrawRefusal();
    } else {
        m_refusal = error;
        m_refusalOrder = order;
    }
    describe();
}

void Field::withdrawRefusal()
{
    if (m_refusal == numtext::Error::None)
        return;
    m_refusal = numtext::Error::None;
    emit refusalWithdrawn();
}

void Field::tint()
{
    // Only the two roles of its own: every other colour stays the window's.
    QPalette tint;
    if (m_refusal != numtext::Error::None) {
        tint.setColor(QPalette::Base, colours::refusalPaper());
        tint.setColor(QPalette::Text, colours::refusalInk());
    }
    setPalette(tint);
}

void Field::describe()
{
    // Refused, the field wears the note's colours.
    if ((m_refusal != numtext::Error::None) != testAttribute(Qt::WA_SetPalette))
        tint();
    // A refusal's explanation says more than the figure; a figure wider than the field is
    // given whole, and the value behind it where rounding changed it.
    QString description;
    if (m_refusal != numtext::Error::None) {
        description = refusals::explanation(m_refusal, text(), m_format);
    } else {
        const QString shown = text();
        const bool cut = shown.size() <= longestFigure && clipped(shown);
        if (m_unrounded.isEmpty())
            description = cut ? shown : QString();
        else if (cut)
            description = shown + u'\n' + QStringLiteral("Ungerundet: ") + m_unrounded;
        else
            description = QStringLiteral("Ungerundet: ") + m_unrounded;
    }
    if (toolTip() != description) {
        setToolTip(description);
        setAccessibleDescription(description);
    }
}
