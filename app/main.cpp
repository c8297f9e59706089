// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>

#include "calculator.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Velmarin"));
    QApplication::setApplicationVersion(QStringLiteral(VELMARIN_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.velmarin.Velmarin"));
    Calculator calculator;
    calculator.show();
    return QApplication::exec();
}
