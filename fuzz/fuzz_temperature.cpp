// SPDX-License-Identifier: GPL-3.0-or-later
// Either temperature field left with arbitrary text: an error, or a finite
// result whose rendered text parses back.
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "converter.h"

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const numtext::Format format : {numtext::Format{u'.'}, numtext::Format{u','}}) {
        for (const auto convert : {convert::celsiusToFahrenheit, convert::fahrenheitToCelsius}) {
            const numtext::Result result = convert(text, format);
            if (!result)
                continue;
            check(std::isfinite(result.value));
            const QString rendered = numtext::render(result.value, format);
            check(!rendered.startsWith(QStringLiteral("-0")) || rendered.size() > 2);
            check(bool(numtext::parse(rendered, format)));
        }
    }
    return 0;
}
