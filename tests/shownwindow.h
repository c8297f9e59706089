// SPDX-License-Identifier: GPL-3.0-or-later
// What the window tests share: the window shown and active as a user meets
// it, driven as a user drives it (typing, pasting, leaving a field), its
// fields and note by name.
#pragma once

#include <span>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMimeData>
#include <QTest>

#include "calculator.h"
#include "field.h"
#include "layout.h"
#include "localised.h"

// The length and mass fields by name, in the order their group writes them.
inline QStringList fieldNamesOf(std::span<const layout::FieldId> ids)
{
    QStringList names;
    for (const layout::FieldId id : ids)
        names << QString::fromLatin1(layout::fieldNames[std::size_t(id)].data());
    return names;
}
inline const QStringList lengthFields = fieldNamesOf(layout::lengthFields);
inline const QStringList massFields = fieldNamesOf(layout::massFields);

class ShownCalculator
{
public:
    // Focus tests need an active window.
    ShownCalculator()
    {
        calculator.show();
        QVERIFY(QTest::qWaitForWindowActive(&calculator));
    }

    template<typename T = QWidget>
    T *child(const QString &name) const
    {
        return calculator.findChild<T *>(name);
    }
    Field *field(const QString &name) const { return child<Field>(name); }
    QString text(const QString &name) const { return field(name)->text(); }
    QStringList texts(const QStringList &names) const
    {
        QStringList result;
        for (const QString &name : names)
            result << text(name);
        return result;
    }

    // Click into the field and replace its text by typing.
    void type(const QString &name, const QString &typed)
    {
        Field *edit = field(name);
        QTest::mouseClick(edit, Qt::LeftButton);
        QTRY_VERIFY(edit->hasFocus());
        edit->selectAll();
        if (typed.isEmpty())
            QTest::keyClick(edit, Qt::Key_Backspace);
        else
            QTest::keyClicks(edit, typed);
    }
    // Select the field's text and paste over it, as Ctrl+A, Ctrl+V do.
    void paste(const QString &name, const QString &text)
    {
        Field *edit = field(name);
        edit->setFocus();
        QTRY_VERIFY(edit->hasFocus());
        QApplication::clipboard()->setText(text);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    }
    // Drop a text dragged from another program in the middle of the field.
    void drop(const QString &name, const QString &text)
    {
        Field *edit = field(name);
        QMimeData data;
        data.setText(text);
        const QPointF middle(edit->width() / 2.0, edit->height() / 2.0);
        QDragEnterEvent enter(middle.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(edit, &enter);
        QDropEvent drop(middle, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(edit, &drop);
    }
    // Leave the field with a key.
    void leave(const QString &name, Qt::Key key = Qt::Key_Tab)
    {
        QTest::keyClick(field(name), key);
        QTRY_VERIFY(!field(name)->hasFocus());
    }
    void enter(const QString &name, const QString &typed)
    {
        type(name, typed);
        leave(name);
    }

    // Whether the field's text was refused and its refusal stands.
    bool refused(const QString &name) const { return field(name)->refusal() != numtext::Error::None; }
    // What the note says, empty while it is hidden.
    QString note() const
    {
        const auto *note = child<QLabel>("Note");
        return note && note->isVisible() ? note->text() : QString();
    }
    // The caption of the label that names the field.
    QString unit(const QString &name) const
    {
        for (const QLabel *label : calculator.findChildren<QLabel *>()) {
            if (label->buddy() == field(name))
                return label->text();
        }
        return {};
    }

    Calculator calculator;
};
