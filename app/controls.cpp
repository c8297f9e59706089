// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls.h"

#include <algorithm>
#include <map>
#include <string_view>
#include <vector>

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {

// The index of a field's name in the array of all: 2 for "Text3".
std::size_t fieldIndex(const layout::Control &field)
{
    return std::size_t(QByteArrayView(field.name).sliced(4).toInt() - 1);
}

} // namespace

Controls makeControls(QWidget *window, double scale, const QString &hint)
{
    Controls made;
    std::map<std::string_view, QWidget *> frames;
    std::map<std::string_view, QLabel *> labels;
    std::vector<std::pair<int, QWidget *>> focusOrder;
    for (const layout::Control &c : layout::controls) {
        QWidget *parent = c.frame ? frames.at(c.frame) : window;
        const QString caption = QString::fromUtf8(c.caption);
        QWidget *widget = nullptr;
        switch (c.kind) {
        case layout::Kind::Frame:
            widget = frames[c.name] = new QGroupBox(caption, parent);
            break;
        case layout::Kind::Field: {
            auto *field = new Field(layout::unitName(c), parent);
            made.fields[fieldIndex(c)] = field;
            made.units[fieldIndex(c)] = c.unit;
            if (const auto *length = std::get_if<convert::Length>(&c.unit))
                made.lengths[std::size_t(*length)] = field;
            else if (const auto *mass = std::get_if<convert::Mass>(&c.unit))
                made.masses[std::size_t(*mass)] = field;
            focusOrder.emplace_back(c.tabIndex, field);
            widget = field;
            break;
        }
        case layout::Kind::Label:
        case layout::Kind::SubHeading:
        case layout::Kind::Hint: {
            auto *label = new QLabel(c.kind == layout::Kind::Hint ? hint : caption, parent);
            label->setTextFormat(Qt::PlainText);
            label->setWordWrap(c.kind == layout::Kind::Hint);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            widget = labels[c.name] = label;
            break;
        }
        case layout::Kind::Button:
            widget = made.close = new QPushButton(caption, parent);
            focusOrder.emplace_back(c.tabIndex, widget);
            break;
        }
        widget->setObjectName(QString::fromLatin1(c.name));
        widget->setGeometry(layout::pixelRect(c, scale));
    }

    for (const layout::Control &c : layout::controls) {
        if (c.kind != layout::Kind::Field)
            continue;
        Field *field = made.fields[fieldIndex(c)];
        // A screen reader names a field after the label whose buddy it is.
        labels.at(c.label)->setBuddy(field);
        field->raise(); // a field overlapping its label is drawn on top
    }
    std::sort(focusOrder.begin(), focusOrder.end());
    for (std::size_t i = 1; i < focusOrder.size(); ++i)
        QWidget::setTabOrder(focusOrder[i - 1].second, focusOrder[i].second);
    focusOrder.front().second->setFocus();
    return made;
}
