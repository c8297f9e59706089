// SPDX-License-Identifier: GPL-3.0-or-later
// The window's controls made from the layout: frames, labels, the hint, the
// fields and the button at their places in a window enlarged by scale, each
// field named by its label, the focus walking the layout's tab order. What
// they do is the window's business.
#pragma once

#include <array>

#include "field.h"
#include "layout.h"

QT_BEGIN_NAMESPACE
class QPushButton;
QT_END_NAMESPACE

struct Controls {
    std::array<Field *, 24> fields{}; // Text1 ... Text24
    std::array<layout::Unit, 24> units{}; // the unit each of them stands for
    std::array<Field *, convert::lengths.size()> lengths{}; // in the order of convert::lengths
    std::array<Field *, convert::masses.size()> masses{};   // in the order of convert::masses
    QPushButton *close = nullptr;
};

// hint: the hint's caption as its label shows it.
Controls makeControls(QWidget *window, double scale, const QString &hint);
