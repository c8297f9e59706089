// SPDX-License-Identifier: GPL-3.0-or-later
// The window's controls made from the layout: frames, labels, the hint, the
// fields and the button, each field named by its label, the focus walking
// the layout's tab order; and put at their places in a window enlarged by a
// scale, as often as the desktop changes it. What they do is the window's
// business.
#pragma once

#include <array>

#include <QtGlobal>

#include "fieldid.h"
#include "layout.h"

QT_BEGIN_NAMESPACE
class QPushButton;
class QString;
class QWidget;
QT_END_NAMESPACE

class Field;

struct Controls {
    std::array<QWidget *, 56> all{};                  // in the order of layout::controls
    std::array<Field *, layout::fieldCount> fields{}; // by layout::FieldId
    QPushButton *close = nullptr;
};

Controls makeControls(QWidget *window);

// hint: the hint's caption as its label shows it.
void placeControls(const Controls &controls, const layout::Placement &at, const QString &hint);
