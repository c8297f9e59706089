// SPDX-License-Identifier: GPL-3.0-or-later
// Parsing, rounding and rendering on arbitrary input: with either ASCII
// separator, and as locales with digits of their own read it (Arabic-Indic
// with both separators, Bengali, and Adlam beyond the BMP).
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "numtext.h"

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

// Rendering must give a text that parses back to a value rendering the same.
void checkRendering(double value, numtext::Format format)
{
    const QString text = numtext::render(value, format);
    const numtext::Result back = numtext::parse(text, format);
    check(bool(back));
    check(numtext::render(back.value, format) == text);
}

void checkRounding(double value)
{
    const double rounded = numtext::roundToPlaces(value, 8);
    check(std::isfinite(rounded));
    const double spacing = std::nextafter(std::fabs(value), std::numeric_limits<double>::infinity()) - std::fabs(value);
    check(std::fabs(rounded - value) <= 0.5e-8 + spacing);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    static constexpr numtext::Format formats[] = {
        {u'.'}, {u','}, {u'.', u'\u066B', U'\u0660'}, {u'.', 0, U'\u09E6'}, {u'.', 0, U'\U0001E950'},
    };
    for (const numtext::Format format : formats) {
        const numtext::Result parsed = numtext::parse(text, format);
        if (parsed) {
            check(std::isfinite(parsed.value));
            checkRendering(parsed.value, format);
            checkRounding(parsed.value);
            checkRendering(numtext::roundToPlaces(parsed.value, 8), format);
        }
    }
    // The same bytes as a double: every finite value, subnormals included.
    if (size >= sizeof(double)) {
        double value;
        std::memcpy(&value, data, sizeof value);
        if (std::isfinite(value)) {
            checkRendering(value, numtext::Format{u','});
            checkRounding(value);
        }
    }
    return 0;
}
