// SPDX-License-Identifier: GPL-3.0-or-later
// What a refusal says: the note's line beside "Schliessen", and the
// explanation that the refused field's tooltip and accessible description
// give.
#pragma once

#include <QStringList>

#include "numtext.h"

namespace refusals {

// "Keine Zahl, z. B. 1,5"; "1,5 oder 1500?" for "1.500". text: what was
// refused.
QString note(numtext::Error error, QStringView text, numtext::Format format);

// A sentence on what is wrong and what is expected.
QString explanation(numtext::Error error, QStringView text, numtext::Format format);

// The widest lines the note may show, in either separator: what its box
// must hold.
QStringList noteLines();

} // namespace refusals
