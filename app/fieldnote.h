// SPDX-License-Identifier: GPL-3.0-or-later
// The note on a field left with a text that would not convert. One note
// serves the window: it stands right of "Schliessen", where no caption is,
// and names the field and what is wrong. It takes no focus and no clicks.
// It holds no refusal of its own: the window tells it which to show.
#pragma once

#include <QLabel>

#include "layout.h"

class FieldNote : public QLabel
{
    Q_OBJECT

public:
    explicit FieldNote(QWidget *window);

    // Shows the text and tells a screen reader.
    void tell(const QString &text);
    // Its place among the controls placed so, in its colours on the
    // window's palette as it is now.
    void place(const layout::Placement &at);
};
