// SPDX-License-Identifier: GPL-3.0-or-later
// What the window says when a field's text does not convert: the short
// message beside "Schliessen" and the long one of the field's tooltip.
#pragma once

#include <QStringList>

#include "numtext.h"

namespace messages {

// "Keine Zahl, z. B. 1,5"
QString note(numtext::Error error, numtext::Format format);

// A sentence on what is wrong and what is expected.
QString explanation(numtext::Error error, numtext::Format format);

// The widest lines the note may show, in either separator: what its box
// must hold.
QStringList noteLines();

} // namespace messages
