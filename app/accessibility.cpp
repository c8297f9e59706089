// SPDX-License-Identifier: GPL-3.0-or-later
#include "accessibility.h"

#include <algorithm>

#include <QAccessibleWidget>
#include <QApplication>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>

#include "field.h"

namespace {

class FieldInterface : public QAccessibleWidget,
                       public QAccessibleTextInterface,
                       public QAccessibleEditableTextInterface
{
public:
    explicit FieldInterface(Field *field)
        : QAccessibleWidget(field, QAccessible::EditableText)
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return field()->unit();
        return t == QAccessible::Value ? field()->text() : QAccessibleWidget::text(t);
    }

    void setText(QAccessible::Text t, const QString &text) override
    {
        if (t == QAccessible::Value)
            edit(0, characterCount(), text);
        else
            QAccessibleWidget::setText(t, text);
    }

    // Screen readers say a field's label rather than its name: a label that
    // says less than the name (the two grain fields share theirs) is no
    // label of the field for them.
    QList<QPair<QAccessibleInterface *, QAccessible::Relation>> relations(QAccessible::Relation match) const override
    {
        auto related = QAccessibleWidget::relations(match);
        related.removeIf([this](const auto &relation) {
            return (relation.second & QAccessible::Label) && relation.first->text(QAccessible::Name) != field()->unit();
        });
        return related;
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = field()->isReadOnly();
        state.editable = !field()->isReadOnly();
        state.selectableText = true;
        return state;
    }

    void *interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        if (t == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface *>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    // The text has no formatting: one run of attributes covers all of it.
    QString attributes(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

    int characterCount() const override { return int(field()->text().size()); }
    QString text(int startOffset, int endOffset) const override
    {
        return field()->text().mid(startOffset, endOffset - startOffset);
    }
    int cursorPosition() const override { return field()->cursorPosition(); }
    void setCursorPosition(int position) override { field()->setCursorPosition(position); }

    int selectionCount() const override { return field()->hasSelectedText() ? 1 : 0; }
    void selection(int selectionIndex, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = 0;
        if (selectionIndex == 0 && field()->hasSelectedText()) {
            *startOffset = field()->selectionStart();
            *endOffset = field()->selectionEnd();
        }
    }
    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
    void setSelection(int selectionIndex, int startOffset, int endOffset) override
    {
        if (selectionIndex == 0)
            field()->setSelection(startOffset, endOffset - startOffset);
    }
    void removeSelection(int selectionIndex) override
    {
        if (selectionIndex == 0)
            field()->deselect();
    }

    // Measured from the caret, which the field reports where it stands.
    QRect characterRect(int offset) const override
    {
        const QString text = field()->text();
        if (offset < 0 || offset >= text.size())
            return {};
        const QFontMetricsF metrics(field()->font());
        const QRect caret = field()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const qreal x = caret.x() + metrics.horizontalAdvance(text.left(offset))
            - metrics.horizontalAdvance(text.left(field()->cursorPosition()));
        const QRect rect(qRound(x), caret.y(), qRound(metrics.horizontalAdvance(text.at(offset))), caret.height());
        return QRect(field()->mapToGlobal(rect.topLeft()), rect.size());
    }
    int offsetAtPoint(const QPoint &point) const override
    {
        return field()->cursorPositionAt(field()->mapFromGlobal(point));
    }
    void scrollToSubstring(int startIndex, int endIndex) override
    {
        field()->setCursorPosition(endIndex);
        field()->setCursorPosition(startIndex);
    }

    void deleteText(int startOffset, int endOffset) override { edit(startOffset, endOffset, {}); }
    void insertText(int offset, const QString &text) override { edit(offset, offset, text); }
    void replaceText(int startOffset, int endOffset, const QString &text) override
    {
        edit(startOffset, endOffset, text);
    }

private:
    Field *field() const { return static_cast<Field *>(widget()); }

    // An edit from a screen reader, dictation or UI Automation is the user's
    // own, as typing is: through the line edit's editing, which tells of it.
    void edit(int startOffset, int endOffset, const QString &text)
    {
        const int size = characterCount();
        const int start = std::clamp(startOffset, 0, size);
        field()->setSelection(start, std::clamp(endOffset, start, size) - start);
        field()->insert(text);
    }
};

// The note: read out when it appears. From Qt 6.8 on it is announced, which
// Qt hands on to UI Automation and AT-SPI alike, and is plain text, lest it
// be read twice; before, only a notification shown was read out.
class NoteInterface : public QAccessibleWidget
{
public:
    explicit NoteInterface(QLabel *note)
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        : QAccessibleWidget(note, QAccessible::StaticText)
#else
        : QAccessibleWidget(note, QAccessible::Notification)
#endif
    {
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name)
            return static_cast<QLabel *>(widget())->text().replace(u'\n', u' ');
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface *interfaceFor(const QString &className, QObject *object)
{
    if (className == u"Field")
        return new FieldInterface(static_cast<Field *>(object));
    if (className == u"FieldNote")
        return new NoteInterface(static_cast<QLabel *>(object));
    return nullptr;
}

#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0) && !defined(Q_OS_WIN)
void restateCaret(QLineEdit *field)
{
    QAccessibleTextCursorEvent caret(field, field->cursorPosition());
    QAccessible::updateAccessibility(&caret);
    if (field->hasSelectedText()) {
        QAccessibleTextSelectionEvent selection(field, field->selectionStart(), field->selectionEnd());
        selection.setCursorPosition(field->cursorPosition());
        QAccessible::updateAccessibility(&selection);
    }
}
#endif

} // namespace

namespace accessibility {

void install()
{
    QAccessible::installFactory(interfaceFor);
}

void restateCaretOnceFocused()
{
    // Orca 48 and 51 name the field on Qt 6.8 and later as they are; Orca 43
    // on Qt 6.4 says only the figure without this. Windows has no Orca.
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0) && !defined(Q_OS_WIN)
    auto *field = qobject_cast<Field *>(QApplication::focusWidget());
    if (field && QAccessible::isActive())
        QMetaObject::invokeMethod(field, [field] { restateCaret(field); }, Qt::QueuedConnection);
#endif
}

void announce(QWidget *note, bool shownJustNow)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    Q_UNUSED(shownJustNow)
    // A refusal: said at once, whatever else is being said.
    QAccessibleAnnouncementEvent announcement(note, QAccessible::queryAccessibleInterface(note)->text(QAccessible::Name));
    announcement.setPoliteness(QAccessible::AnnouncementPoliteness::Assertive);
    QAccessible::updateAccessibility(&announcement);
#else
    // Qt tells of a widget shown itself: once is enough.
    if (shownJustNow)
        return;
    QAccessibleEvent shown(note, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
#endif
}

} // namespace accessibility
