// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the window icon's pixels into a C++ header at build time, so that
// the program shows its icon without decoding an image at start-up: loading
// a PNG makes Qt look for its image format plugins, which costs about as
// much as the rest of the window's own start-up.
//
// icon_pixels OUTPUT.h IMAGE.png...
#include <cstdio>

#include <QFile>
#include <QImage>
#include <QTextStream>

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUTPUT.h IMAGE.png...\n", argv[0]);
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    QTextStream out(&file);
    out << "// Made by tools/icon_pixels from the icon's PNGs; do not edit.\n"
           "// The window icon as non-premultiplied 0xAARRGGBB pixels, row by row.\n"
           "#pragma once\n\n#include <cstdint>\n\nnamespace windowicon {\n\n";
    QStringList images;
    for (int i = 2; i < argc; ++i) {
        const QImage image = QImage(QString::fromLocal8Bit(argv[i])).convertToFormat(QImage::Format_ARGB32);
        if (image.isNull() || image.width() != image.height()) {
            std::fprintf(stderr, "%s: no square image\n", argv[i]);
            return 1;
        }
        const int size = image.width();
        out << "inline constexpr std::uint32_t pixels" << size << "[] = {\n";
        for (int y = 0; y < size; ++y) {
            const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            out << "   ";
            for (int x = 0; x < size; ++x)
                out << " 0x" << QString::number(row[x], 16).rightJustified(8, u'0') << ',';
            out << '\n';
        }
        out << "};\n\n";
        images << QStringLiteral("{%1, pixels%1}").arg(size);
    }
    out << "struct Image {\n    int size;\n    const std::uint32_t *argb;\n};\n\n"
        << "inline constexpr Image images[] = {" << images.join(QStringLiteral(", ")) << "};\n\n"
        << "} // namespace windowicon\n";
    return 0;
}
