// SPDX-License-Identifier: GPL-3.0-or-later
#include "refusals.h"

#include "layout.h"

namespace refusals {

namespace {

QString example(numtext::Format format)
{
    return u'1' + QChar(format.decimal) + u'5';
}

// "1.234,5" where the decimal separator is a comma.
QString grouped(numtext::Format format)
{
    return u'1' + QChar(format.other()) + QStringLiteral("234") + QChar(format.decimal) + u'5';
}

// What the separators are called where this one is the decimal separator.
QString name(char16_t separator)
{
    return separator == u',' ? QStringLiteral("Komma") : QStringLiteral("Punkt");
}

} // namespace

QString note(numtext::Error error, QStringView text, numtext::Format format)
{
    switch (error) {
    case numtext::Error::OutOfRange:
        return QStringLiteral("Zahl zu groß");
    case numtext::Error::MixedDigits:
        return QStringLiteral("Ziffern zweier Schriften");
    case numtext::Error::Ambiguous:
        if (const auto readings = numtext::readings(text, format)) {
            return numtext::render(readings->decimal, format) + QStringLiteral(" oder ")
                + numtext::render(readings->grouped, format) + u'?';
        }
        break;
    case numtext::Error::Grouping:
        return QStringLiteral("Gruppen falsch, z. B. ") + grouped(format);
    case numtext::Error::None:
    case numtext::Error::NotANumber:
        break;
    }
    return QStringLiteral("Keine Zahl, z. B. ") + example(format);
}

QString explanation(numtext::Error error, QStringView text, numtext::Format format)
{
    switch (error) {
    case numtext::Error::OutOfRange:
        return QStringLiteral("Die Zahl ist zu groß: das Ergebnis liegt außerhalb des Rechenbereichs.");
    case numtext::Error::MixedDigits:
        return QStringLiteral("Die Zahl mischt die Ziffern zweier Schriften. Bitte alle Ziffern in einer Schrift schreiben.");
    case numtext::Error::Ambiguous:
        if (const auto readings = numtext::readings(text, format)) {
            const QString decimal = numtext::render(readings->decimal, format);
            const QString whole = numtext::render(readings->grouped, format);
            return QChar(0x201E) + text.trimmed().toString() + QChar(0x201C) + QStringLiteral(" kann ") + decimal
                + QStringLiteral(" oder ") + whole
                + QStringLiteral(" heißen. Bitte ohne Tausender") + name(format.other()).toLower() + QStringLiteral(" (")
                + whole + QStringLiteral(") oder mit ") + name(format.decimal) + QStringLiteral(" (") + decimal
                + QStringLiteral(") schreiben.");
        }
        break;
    case numtext::Error::Grouping:
        return QStringLiteral("Die Zifferngruppen stimmen nicht: auf eine bis drei Ziffern folgen Gruppen von genau "
                              "drei Ziffern, wie in 1")
            + QChar(format.other()) + QStringLiteral("234") + QChar(format.other()) + QStringLiteral("567")
            + QChar(format.decimal) + QStringLiteral("5, und kein Exponent.");
    case numtext::Error::None:
    case numtext::Error::NotANumber:
        break;
    }
    return QStringLiteral("Keine gültige Zahl. Erwartet wird eine Zahl wie ") + example(format) + u'.';
}

QStringList noteLines()
{
    QStringList lines;
    for (std::size_t i = 0; i < layout::fieldCount; ++i) {
        const std::string_view name = layout::unitName(layout::FieldId(i));
        lines << QString::fromUtf8(name.data(), qsizetype(name.size())) + u':';
    }
    for (const numtext::Error error : {numtext::Error::NotANumber, numtext::Error::OutOfRange,
                                       numtext::Error::MixedDigits, numtext::Error::Ambiguous, numtext::Error::Grouping}) {
        for (const char16_t decimal : {u'.', u','}) {
            const numtext::Format format{decimal};
            // The widest figures an ambiguous text can have.
            lines << note(error, u'-' + QStringLiteral("888") + QChar(format.other()) + QStringLiteral("888"), format);
        }
    }
    return lines;
}

} // namespace refusals
