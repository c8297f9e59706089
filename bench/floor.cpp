// SPDX-License-Identifier: GPL-3.0-or-later
// The floor for the start-up benchmark: the same 56 controls at the same
// places in a window of the same size, and nothing else: no font fit, no
// icon, no handlers.
#include <QApplication>
#include <QWidget>

#include "controls.h"
#include "layout.h"
#include "fontfit.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Floor"));
    window.setFixedSize(layout::clientSize());
    placeControls(makeControls(&window), {}, fontfit::hintText(false));
    window.show();
    return QApplication::exec();
}
