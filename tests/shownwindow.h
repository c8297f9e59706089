// SPDX-License-Identifier: GPL-3.0-or-later
// What the window tests share: the window shown and active as a user meets
// it, its fields and messages by name, and the two locales they run in.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QTest>

#include "calculator.h"
#include "fieldnote.h"

// The length and mass fields in the order their group writes them.
inline const QStringList lengthFields{"Text10", "Text3", "Text4", "Text5", "Text6", "Text7", "Text8", "Text9"};
inline const QStringList massFields{"Text11", "Text24", "Text12", "Text13", "Text14", "Text15", "Text16",
                                    "Text17", "Text18", "Text19", "Text20", "Text21", "Text22", "Text23"};

// Rows of a global "locale" column: a point and a comma locale.
inline void addLocaleRows()
{
    QTest::addColumn<QLocale>("locale");
    QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany);
}

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
    QLineEdit *field(const QString &name) const { return child<QLineEdit>(name); }
    QString text(const QString &name) const { return field(name)->text(); }
    QStringList texts(const QStringList &names) const
    {
        QStringList result;
        for (const QString &name : names)
            result << text(name);
        return result;
    }
    // Whether the field's text was refused and its message stands.
    bool refused(const QString &name) const
    {
        const auto *note = child<FieldNote>("Note");
        return note && note->stands(field(name));
    }
    // What the window's message says, empty while it is hidden.
    QString note() const
    {
        const auto *note = child<FieldNote>("Note");
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
