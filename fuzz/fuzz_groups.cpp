// SPDX-License-Identifier: GPL-3.0-or-later
// A field of the length or mass group left with arbitrary text: either the
// conversion fails and no text is made, or every field of the group gets a
// text that parses, and an unrounded value, where it has one, parses too and
// differs from the text. The first byte picks the group, the unit and the
// separator.
#include <cstdint>
#include <cstdlib>

#include "converter.h"

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

template<std::size_t N>
void leave(const std::array<convert::Unit, N> &units, std::size_t row, const QString &text, numtext::Format format)
{
    const convert::Figures group = convert::figures(units[row], convert::factorsOf(units), text, format);
    check(group ? group.value.size() == qsizetype(N) : group.value.isEmpty());
    for (const convert::Figure &figure : group.value) {
        check(bool(numtext::parse(figure.text, format)));
        check(figure.unrounded.isEmpty() || (figure.unrounded != figure.text && numtext::parse(figure.unrounded, format)));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const uint8_t pick = data[0];
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const numtext::Format format{pick & 0x80 ? u',' : u'.'};
    if (pick & 0x40)
        leave(convert::masses, (pick & 0x3f) % convert::masses.size(), text, format);
    else
        leave(convert::lengths, (pick & 0x3f) % convert::lengths.size(), text, format);
    return 0;
}
