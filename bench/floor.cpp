// SPDX-License-Identifier: GPL-3.0-or-later
// The floor for the start-up benchmark: the same 56 controls at the same
// places in a window of the same size, and nothing else.
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <map>
#include <string_view>

#include "layout.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Floor"));
    window.setFixedSize(layout::pixels(layout::clientWidth), layout::pixels(layout::clientHeight));
    std::map<std::string_view, QWidget *> frames;
    for (const layout::Control &c : layout::controls) {
        QWidget *parent = c.parent ? frames.at(c.parent) : &window;
        const QString caption = QString::fromUtf8(c.caption);
        QWidget *widget = nullptr;
        switch (c.kind) {
        case layout::Kind::Frame:
            widget = frames[c.name] = new QGroupBox(caption, parent);
            break;
        case layout::Kind::Label:
        case layout::Kind::SubHeading:
            widget = new QLabel(caption, parent);
            break;
        case layout::Kind::Field:
            widget = new QLineEdit(parent);
            break;
        case layout::Kind::Button:
            widget = new QPushButton(caption, parent);
            break;
        }
        widget->setGeometry(layout::pixelRect(c));
    }
    window.show();
    return QApplication::exec();
}
