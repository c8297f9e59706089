// SPDX-License-Identifier: GPL-3.0-or-later
// The two locales the tests run in, rows written once for both, and the
// default locale switched for a while.
#pragma once

#include <QLocale>
#include <QString>
#include <QTest>

// Rows are written for a point locale; in a comma locale point and comma swap
// roles, so "0.001" is the number and "1,5" stays the foreign separator in both.
inline QString localised(QString text, QChar decimal = QLocale().decimalPoint().front())
{
    if (decimal == u',') {
        for (QChar &c : text) {
            if (c == u'.')
                c = u',';
            else if (c == u',')
                c = u'.';
        }
    }
    return text;
}

// Rows of a global "locale" column: a point and a comma locale.
inline void addLocaleRows()
{
    QTest::addColumn<QLocale>("locale");
    QTest::newRow("en_US") << QLocale(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany);
}

// The default locale while it lives, the C locale again after it.
class DefaultLocale
{
public:
    explicit DefaultLocale(const QLocale &locale) { QLocale::setDefault(locale); }
    ~DefaultLocale() { QLocale::setDefault(QLocale::c()); }
    Q_DISABLE_COPY_MOVE(DefaultLocale)
};
