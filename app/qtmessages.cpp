// SPDX-License-Identifier: GPL-3.0-or-later
#include "qtmessages.h"

#include <QCoreApplication>
#include <QLibraryInfo>

void QtMessages::follow(const QLocale &locale)
{
    const QStringList languages = locale.uiLanguages();
    if (languages == m_languages)
        return;
    m_languages = languages;
    QCoreApplication::removeTranslator(this);
    if (load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(this);
}
