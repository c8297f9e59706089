#!/usr/bin/env python3
"""Writes the window icon's pixels as a C++ header, so that the program shows
its icon without decoding an image file (and without the image plugins that
decoding would load) at start-up."""
import sys

from make_ico import read_png


def main(output, *pngs):
    lines = [
        "// SPDX-License-Identifier: GPL-3.0-or-later",
        "// Made by tools/make-icons from data/icons/org.velmarin.Velmarin.svg; do not edit.",
        "// The window icon as non-premultiplied 0xAARRGGBB pixels, row by row.",
        "#pragma once",
        "",
        "#include <cstdint>",
        "",
        "namespace windowicon {",
        "",
    ]
    sizes = []
    for path in pngs:
        width, height, rows = read_png(path)
        assert width == height
        sizes.append(width)
        lines.append(f"inline constexpr std::uint32_t pixels{width}[] = {{")
        for row in rows:
            lines.append("    " + ", ".join(f"0x{a:02x}{r:02x}{g:02x}{b:02x}" for r, g, b, a in row) + ",")
        lines.append("};")
        lines.append("")
    lines.append("struct Image {")
    lines.append("    int size;")
    lines.append("    const std::uint32_t *argb;")
    lines.append("};")
    lines.append("")
    lines.append("inline constexpr Image images[] = {" + ", ".join(f"{{{s}, pixels{s}}}" for s in sizes) + "};")
    lines.append("")
    lines.append("} // namespace windowicon")
    with open(output, "w") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main(*sys.argv[1:])
