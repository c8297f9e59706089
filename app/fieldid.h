// SPDX-License-Identifier: GPL-3.0-or-later
// A field by its name in the layout, Text1 to Text24: the one index of a
// field, from the layout's table to the window's handlers.
#pragma once

#include <cstddef>

namespace layout {

enum class FieldId : unsigned char {
    Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text8, Text9, Text10, Text11, Text12,
    Text13, Text14, Text15, Text16, Text17, Text18, Text19, Text20, Text21, Text22, Text23, Text24,
};
inline constexpr std::size_t fieldCount = std::size_t(FieldId::Text24) + 1;

} // namespace layout
