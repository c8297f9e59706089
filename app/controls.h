// SPDX-License-Identifier: GPL-3.0-or-later
// The window's controls made from the layout: frames, labels, the hint, the
// fields and the button at their places in a window enlarged by scale, each
// field named by its label, the focus walking the layout's tab order. What
// they do is the window's business.
#pragma once

#include <array>

#include <QtGlobal>

#include "fieldid.h"

QT_BEGIN_NAMESPACE
class QPushButton;
class QString;
class QWidget;
QT_END_NAMESPACE

class Field;

struct Controls {
    std::array<Field *, layout::fieldCount> fields{}; // by layout::FieldId
    QPushButton *close = nullptr;
};

// hint: the hint's caption as its label shows it.
Controls makeControls(QWidget *window, double scale, const QString &hint);
