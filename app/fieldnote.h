// SPDX-License-Identifier: GPL-3.0-or-later
// The note on a field left with a text that would not convert. One note
// serves the window: it stands right of "Schliessen", where no caption is,
// and names the field and what is wrong. It takes no focus and no clicks.
// It holds no refusal of its own: the window tells it which to show.
#pragma once

#include <QLabel>

class FieldNote : public QLabel
{
    Q_OBJECT

public:
    explicit FieldNote(QWidget *window);

    // Shows the text and tells a screen reader.
    void tell(const QString &text);
    // Its place in a window enlarged by scale, with the frames' contents
    // dropped by drop, in its colours on the window's palette as it is now.
    void place(double scale, int drop);
};
