// SPDX-License-Identifier: GPL-3.0-or-later
// What Qt itself says (a field's context menu: "Rückgängig", "Kopieren",
// ...) in the user's language, as other Qt programs on the same desktop say
// it: from the system's Qt translations, or where the system has none
// (Windows) from those the program carries, where Qt's paths point there.
// English where they lack the language.
#pragma once

#include <QLocale>
#include <QTranslator>

class QtMessages : public QTranslator
{
public:
    explicit QtMessages(QObject *parent)
        : QTranslator(parent)
    {
    }

    // Speaks the language of locale from now on.
    void follow(const QLocale &locale);

private:
    QStringList m_languages; // those it was asked for last
};
