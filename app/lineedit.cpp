// SPDX-License-Identifier: GPL-3.0-or-later
#include "lineedit.h"

#include <array>
#include <optional>

#include <QFont>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

namespace lineedit {

QRect textRect(const QLineEdit *edit, const QStyleOptionFrame &option)
{
    return edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit).marginsRemoved(edit->textMargins());
}

QSize room(const QLineEdit *edit, const QStyleOptionFrame &option)
{
    const QRect text = textRect(edit, option);
    return {text.width() - textIndent, text.height()};
}

qreal textWidth(const QFont &font, QStringView text)
{
    static QFont measured;
    static std::optional<QFontMetricsF> metrics;
    static std::array<qreal, 95> advances{};
    if (!metrics || !(font == measured)) {
        measured = font;
        metrics.emplace(font);
        advances.fill(-1);
    }
    qreal width = 0;
    for (const QChar c : text) {
        const std::size_t i = c.unicode() - u' ';
        if (i >= advances.size()) {
            width += metrics->horizontalAdvance(c);
            continue;
        }
        if (advances[i] < 0)
            advances[i] = metrics->horizontalAdvance(c);
        width += advances[i];
    }
    return width;
}

} // namespace lineedit
