// SPDX-License-Identifier: GPL-3.0-or-later
#include "refusals.h"

#include "layout.h"

namespace refusals {

QString note(numtext::Error error, numtext::Format format)
{
    if (error == numtext::Error::OutOfRange)
        return QStringLiteral("Zahl zu groß");
    if (error == numtext::Error::MixedDigits)
        return QStringLiteral("Ziffern zweier Schriften");
    return QStringLiteral("Keine Zahl, z. B. 1") + QChar(format.decimal) + u'5';
}

QString explanation(numtext::Error error, numtext::Format format)
{
    if (error == numtext::Error::OutOfRange)
        return QStringLiteral("Die Zahl ist zu groß: das Ergebnis liegt außerhalb des Rechenbereichs.");
    if (error == numtext::Error::MixedDigits)
        return QStringLiteral("Die Zahl mischt die Ziffern zweier Schriften. Bitte alle Ziffern in einer Schrift schreiben.");
    return QStringLiteral("Keine gültige Zahl. Erwartet wird eine Zahl wie 1") + QChar(format.decimal) + QStringLiteral("5.");
}

QStringList noteLines()
{
    QStringList lines;
    for (std::size_t i = 0; i < layout::fieldCount; ++i) {
        const std::string_view name = layout::unitName(layout::FieldId(i));
        lines << QString::fromUtf8(name.data(), qsizetype(name.size())) + u':';
    }
    for (const numtext::Error error :
         {numtext::Error::NotANumber, numtext::Error::OutOfRange, numtext::Error::MixedDigits}) {
        for (const char16_t decimal : {u'.', u','})
            lines << note(error, numtext::Format{decimal});
    }
    return lines;
}

} // namespace refusals
