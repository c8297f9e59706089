// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls.h"

#include <algorithm>
#include <map>
#include <string_view>
#include <vector>

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include "field.h"

namespace {

// Tab walks the controls that take the focus by their tab index, and the
// first of them has it.
void walk(std::vector<std::pair<int, QWidget *>> &focusOrder)
{
    std::sort(focusOrder.begin(), focusOrder.end());
    for (std::size_t i = 1; i < focusOrder.size(); ++i)
        QWidget::setTabOrder(focusOrder[i - 1].second, focusOrder[i].second);
    focusOrder.front().second->setFocus();
}

} // namespace

Controls makeControls(QWidget *window)
{
    static_assert(std::tuple_size_v<decltype(Controls::all)> == layout::controls.size());
    Controls made;
    std::map<std::string_view, QWidget *> frames;
    std::map<std::string_view, QLabel *> labels;
    std::vector<std::pair<int, QWidget *>> focusOrder;
    for (std::size_t i = 0; i < layout::controls.size(); ++i) {
        const layout::Control &c = layout::controls[i];
        QWidget *parent = c.frame ? frames.at(c.frame) : window;
        const QString caption = QString::fromUtf8(c.caption);
        QWidget *widget = nullptr;
        switch (c.kind) {
        case layout::Kind::Frame:
            widget = frames[c.name] = new QGroupBox(caption, parent);
            break;
        case layout::Kind::Field: {
            const std::string_view unit = layout::unitName(c.id);
            auto *field = new Field(QString::fromUtf8(unit.data(), qsizetype(unit.size())), parent);
            made.fields[std::size_t(c.id)] = field;
            focusOrder.emplace_back(c.tabIndex, field);
            widget = field;
            break;
        }
        case layout::Kind::Label:
        case layout::Kind::SubHeading:
        case layout::Kind::Hint: {
            auto *label = new QLabel(caption, parent);
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
        made.all[i] = widget;
    }

    for (const layout::FieldRow &f : layout::fields) {
        Field *field = made.fields[std::size_t(f.id)];
        // A screen reader names a field after the label whose buddy it is.
        labels.at(f.label.name)->setBuddy(field);
        field->raise(); // a field overlapping its label is drawn on top
    }
    walk(focusOrder);
    return made;
}

void placeControls(const Controls &controls, const layout::Placement &at, const QString &hint)
{
    for (std::size_t i = 0; i < layout::controls.size(); ++i) {
        const layout::Control &c = layout::controls[i];
        controls.all[i]->setGeometry(layout::placeOf(c, at));
        if (c.kind == layout::Kind::Hint)
            static_cast<QLabel *>(controls.all[i])->setText(hint);
        // A caption starts where the field drawn over its box ends.
        if (c.kind == layout::Kind::Label)
            controls.all[i]->setContentsMargins(layout::coveredLeft(c, at.scale), 0, 0, 0);
    }
}
