// SPDX-License-Identifier: GPL-3.0-or-later
// The window's 56 controls as data. Each field is one row of one table, with
// its unit, its frame, its place and the label that names it; the frames,
// sub-headings, hint and button are the rest. Everything else about a field
// (its name, its group's order, how a screen reader names it) is made from
// that row at compile time. Places and sizes are in twips (1/1440 inch, 15
// to a pixel at 96 dpi), relative to the frame that holds a control or to
// the window's client area.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>
#include <variant>

#include <QPoint>
#include <QRect>
#include <QSize>

#include "converter.h"
#include "fieldid.h"

namespace layout {

inline constexpr int clientWidth = 6750;
inline constexpr int clientHeight = 6840;
inline constexpr int fieldWidth = 975;
inline constexpr int fieldHeight = 285;
inline constexpr int labelHeight = 255;

enum class Kind { Frame, Field, Label, SubHeading, Hint, Button };

// "Hinweis zum Gebrauch:", 31 spaces, then the sentence: the run of spaces
// pushes the sentence onto the second line of the wrapped label.
inline constexpr std::string_view hint = "Hinweis zum Gebrauch:                               "
                                         "Die Umrechnung erfolgt beim Verlassen eines jeden Eingabefeldes.";
// The heading the spaces leave alone on the first line, and where the
// sentence starts; both are ASCII, so bytes and characters count alike.
inline constexpr std::string_view hintHeading = hint.substr(0, hint.find("  "));
inline constexpr std::size_t hintSentence = hint.find_first_not_of(' ', hintHeading.size());

// A field's name in the layout, "Text1" to "Text24", made from its index.
inline constexpr std::array<std::array<char, 7>, fieldCount> fieldNames = [] {
    std::array<std::array<char, 7>, fieldCount> names{};
    for (std::size_t i = 0; i < fieldCount; ++i) {
        names[i] = {'T', 'e', 'x', 't'};
        const std::size_t number = i + 1;
        std::size_t at = 4;
        if (number >= 10)
            names[i][at++] = char('0' + number / 10);
        names[i][at] = char('0' + number % 10);
    }
    return names;
}();

// The unit a field stands for, and so its group.
using Unit = std::variant<convert::Temperature, convert::Length, convert::Mass>;

// Where a control stands: its top-left corner, relative to its frame or to
// the window, and its place in the tab order.
struct Place {
    int left = 0, top = 0;
    int tabIndex = 0;
};

// The label that names a field, one line under it (or beside it).
struct UnitLabel {
    const char *name;
    const char *caption; // UTF-8
    Place place;
    int width;
};

// A field: its unit, frame and place, and its label. A screen reader names
// it by the label's caption, or where that alone is ambiguous by a name of
// its own.
struct FieldRow {
    FieldId id;
    Unit unit;
    const char *frame;
    Place place;
    UnitLabel label;
    const char *ownName = nullptr; // UTF-8
};

// The fields in the order they stand on screen, group by group, row by row.
inline constexpr std::array<FieldRow, fieldCount> fields = [] {
    using enum FieldId;
    using convert::Length, convert::Mass, convert::Temperature;
    return std::array<FieldRow, fieldCount>{{
        {Text1, Temperature::Celsius, "Frame1", {120, 240, 1}, {"Label1", "°C", {1080, 240, 3}, 255}},
        {Text2, Temperature::Fahrenheit, "Frame1", {1440, 240, 2}, {"Label2", "°F", {2400, 240, 4}, 255}},
        {Text10, Length::Centimetre, "Frame2", {120, 240, 20}, {"Label10", "Zentimeter", {120, 530, 21}, 975}},
        {Text3, Length::Metre, "Frame2", {1440, 240, 6}, {"Label3", "Meter", {1440, 530, 9}, 855}},
        {Text4, Length::Kilometre, "Frame2", {2760, 240, 7}, {"Label4", "Kilometer", {2760, 530, 10}, 975}},
        {Text5, Length::Inch, "Frame2", {120, 840, 8}, {"Label5", "Inches", {120, 1130, 11}, 975}},
        {Text6, Length::Foot, "Frame2", {1440, 840, 12}, {"Label6", "Feet", {1440, 1130, 13}, 975}},
        {Text7, Length::Yard, "Frame2", {2760, 840, 14}, {"Label7", "Yards", {2760, 1130, 15}, 975}},
        {Text8, Length::Mile, "Frame2", {4080, 840, 16}, {"Label8", "Meilen", {4080, 1130, 17}, 855}},
        {Text9, Length::NauticalMile, "Frame2", {5400, 840, 18}, {"Label9", "Seemeilen", {5400, 1130, 19}, 855}},
        {Text11, Mass::Gram, "Frame3", {120, 480, 26}, {"Label13", "Gramm [g]", {120, 770, 30}, 975}},
        {Text24, Mass::Carat, "Frame3", {1440, 480, 54}, {"Label28", "metr. Carat [ct]", {1440, 765, 55}, 1215}},
        {Text12, Mass::Kilogram, "Frame3", {2760, 480, 27}, {"Label14", "Kilogramm [kg]", {2760, 765, 31}, 1095}},
        {Text13, Mass::Tonne, "Frame3", {4080, 480, 28}, {"Label15", "metr. Tonne [t]", {4080, 765, 32}, 1215}},
        {Text14, Mass::Grain, "Frame3", {120, 1440, 29}, {"Label17", "Grain [gr]", {120, 1725, 38}, 975},
         "Grain [gr] (Avoirdupois)"},
        {Text15, Mass::Dram, "Frame3", {1440, 1440, 34}, {"Label18", "Dram [dr]", {1440, 1725, 39}, 975}},
        {Text16, Mass::Ounce, "Frame3", {2760, 1440, 35}, {"Label19", "Ounce [oz]", {2760, 1725, 40}, 975}},
        {Text17, Mass::Pound, "Frame3", {4080, 1440, 36}, {"Label20", "Pound [lb]", {4080, 1725, 41}, 975}},
        {Text18, Mass::ShortTon, "Frame3", {5400, 1440, 37}, {"Label21", "Short ton [tn]", {5400, 1725, 42}, 975}},
        {Text19, Mass::LongTon, "Frame3", {120, 2040, 43}, {"Label22", "Long ton [l.tn]", {120, 2325, 44}, 1095}},
        {Text20, Mass::TroyGrain, "Frame3", {120, 3000, 46}, {"Label24", "Grain [gr]", {120, 3290, 50}, 1095},
         "Grain [gr] (Troy)"},
        {Text21, Mass::Pennyweight, "Frame3", {1440, 3000, 47}, {"Label25", "Pennyweight [pwt]", {1440, 3285, 51}, 1335}},
        {Text22, Mass::TroyOunce, "Frame3", {2760, 3000, 48}, {"Label26", "Troy Ounce [oz]", {2760, 3285, 52}, 1335}},
        {Text23, Mass::TroyPound, "Frame3", {4080, 3000, 49}, {"Label27", "Troy Pound [lb]", {4080, 3290, 53}, 1215}},
    }};
}();

// Every control of the window, as the tables above and below give it.
struct Control {
    Kind kind;
    const char *name;
    const char *frame = nullptr; // the frame that holds it; none: the window
    const char *caption = "";    // UTF-8
    int left = 0, top = 0, width = 0, height = 0;
    int tabIndex = 0;
    FieldId id = {}; // a field's
};

constexpr Control frame(const char *name, const char *caption, int left, int top, int width, int height, int tabIndex)
{
    return {Kind::Frame, name, nullptr, caption, left, top, width, height, tabIndex};
}

// Drawn in the 3-D dark shadow colour.
constexpr Control subHeading(const char *name, const char *caption, int top, int width, int tabIndex)
{
    return {Kind::SubHeading, name, "Frame3", caption, 120, top, width, labelHeight, tabIndex};
}

// The frames first, since they hold the rest; then the fields, their labels,
// the sub-headings, the hint (wrapped at spaces in its fixed box) and the
// button.
inline constexpr std::array<Control, 56> controls = [] {
    std::array<Control, 56> all{{
        frame("Frame1", "Temperatur", 120, 120, 2895, 735, 0),
        frame("Frame2", "Längen", 120, 960, 6495, 1575, 5),
        frame("Frame3", "Gewichte", 120, 2640, 6495, 3615, 24),
    }};
    std::size_t at = 3;
    for (const FieldRow &f : fields) {
        all[at++] = {Kind::Field, fieldNames[std::size_t(f.id)].data(), f.frame, "",
                     f.place.left, f.place.top, fieldWidth, fieldHeight, f.place.tabIndex, f.id};
    }
    for (const FieldRow &f : fields) {
        const UnitLabel &l = f.label;
        all[at++] = {Kind::Label, l.name, f.frame, l.caption, l.place.left, l.place.top, l.width, labelHeight,
                     l.place.tabIndex};
    }
    all[at++] = subHeading("Label12", "Metrisches System", 240, 2055, 25);
    all[at++] = subHeading("Label16", "Avoirdupois-System (USA, UK)", 1200, 3135, 33);
    all[at++] = subHeading("Label23", "Troy-System für Gold, Silber und Edelsteine", 2760, 3255, 45);
    all[at++] = {Kind::Hint, "Label11", nullptr, hint.data(), 3240, 240, 3135, 615, 22};
    all[at++] = {Kind::Button, "Close", nullptr, "Schliessen", 2400, 6360, 1815, 375, 23};
    return all;
}();

// The tab indices are 0 to 55, each once; every field is in the table once.
static_assert([] {
    std::array<int, controls.size()> seen{};
    for (const Control &c : controls) {
        if (c.tabIndex < 0 || std::size_t(c.tabIndex) >= seen.size() || seen[std::size_t(c.tabIndex)]++)
            return false;
    }
    std::array<int, fieldCount> listed{};
    for (const FieldRow &f : fields) {
        if (listed[std::size_t(f.id)]++)
            return false;
    }
    return true;
}());

// Where each field's row stands in the table.
inline constexpr std::array<std::size_t, fieldCount> fieldRows = [] {
    std::array<std::size_t, fieldCount> rows{};
    for (std::size_t i = 0; i < fields.size(); ++i)
        rows[std::size_t(fields[i].id)] = i;
    return rows;
}();

constexpr const FieldRow &fieldRow(FieldId id)
{
    return fields[fieldRows[std::size_t(id)]];
}

// How a field is named (UTF-8).
constexpr std::string_view unitName(FieldId id)
{
    const FieldRow &f = fieldRow(id);
    return f.ownName ? f.ownName : f.label.caption;
}

// The fields of a group in the order of its unit table, each unit's once:
// a unit without a field, or with two, is no constant expression.
template<typename Group, std::size_t N>
constexpr std::array<FieldId, N> fieldsOf()
{
    std::array<FieldId, N> ids{};
    std::array<bool, N> found{};
    for (const FieldRow &f : fields) {
        // Not std::get_if: GCC 12 rejects its null test in a constant expression.
        if (std::holds_alternative<Group>(f.unit)) {
            const auto unit = std::size_t(std::get<Group>(f.unit));
            if (found[unit])
                throw "two fields of one unit";
            found[unit] = true;
            ids[unit] = f.id;
        }
    }
    for (const bool one : found) {
        if (!one)
            throw "a unit without a field";
    }
    return ids;
}
inline constexpr auto temperatureFields = fieldsOf<convert::Temperature, 2>();
inline constexpr auto lengthFields = fieldsOf<convert::Length, convert::lengths.size()>();
inline constexpr auto massFields = fieldsOf<convert::Mass, convert::masses.size()>();

// Where the note stands: right of "Schliessen", in the strip
// between the mass frame and the window's bottom edge, the one place of the
// window that holds no caption. Inside it, in pixels: the frame line, a
// margin all round and an indent of the text from the left (kept on the
// right too).
inline constexpr int noteLeft = 4335, noteTop = 6285, noteWidth = 2280, noteHeight = 525;
inline constexpr int noteLine = 1, noteMargin = 1, noteIndent = 3;

// Twips to logical pixels in a window enlarged by scale; the few values that
// are no multiple of 15 round to nearest.
constexpr int pixels(int twips, double scale = 1.0)
{
    return static_cast<int>(twips * scale / 15 + 0.5);
}

// A box in logical pixels, relative to its frame or the window. Its edges
// are rounded, not its size, so that boxes that meet in twips meet in
// pixels at every scale, and none covers a row of its neighbour's.
constexpr QRect pixelRect(int left, int top, int width, int height, double scale = 1.0)
{
    return {QPoint(pixels(left, scale), pixels(top, scale)),
            QPoint(pixels(left + width, scale) - 1, pixels(top + height, scale) - 1)};
}

constexpr QRect pixelRect(const Control &c, double scale = 1.0)
{
    return pixelRect(c.left, c.top, c.width, c.height, scale);
}

// How many frames stand wholly above a place of the window, in twips.
constexpr int framesAbove(int top)
{
    int above = 0;
    for (const Control &c : controls)
        above += c.kind == Kind::Frame && c.top + c.height <= top;
    return above;
}
inline constexpr int frameCount = framesAbove(clientHeight);

// How the controls stand on a desktop: the factor every twip grows by; how
// far the frames' contents stand right and down of their places, inside
// the room the style keeps for a frame's contents (each frame grows by the
// part down, and what stands below a frame moves down with it); and where
// the layout starts, off the window's corner only in a window the platform
// made larger than the layout.
struct Placement {
    double scale = 1.0;
    QPoint inset;
    QPoint origin;

    friend constexpr bool operator==(const Placement &, const Placement &) = default;
};

constexpr QRect placeOf(const Control &c, const Placement &at = {})
{
    QRect box = pixelRect(c, at.scale);
    if (c.frame)
        return box.translated(at.inset);
    box.translate(at.origin + QPoint(0, at.inset.y() * framesAbove(c.top)));
    if (c.kind == Kind::Frame)
        box.setBottom(box.bottom() + at.inset.y());
    return box;
}

// The window's client area, the layout's size.
constexpr QSize clientSize(const Placement &at = {})
{
    return {pixels(clientWidth, at.scale), pixels(clientHeight, at.scale) + frameCount * at.inset.y()};
}

// Where the next control to the right of each control in the same row
// begins, from the control's left, in twips, in the order of controls; a
// label's box may reach into its neighbour's. None: as far as the window goes.
inline constexpr std::array<int, controls.size()> neighbourAt = [] {
    std::array<int, controls.size()> at{};
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const Control &c = controls[i];
        at[i] = clientWidth;
        for (const Control &other : controls) {
            const bool sameParent = (c.frame == nullptr) == (other.frame == nullptr)
                && (c.frame == nullptr || std::string_view(c.frame) == other.frame);
            const bool sameRow = 2 * (other.top > c.top ? other.top - c.top : c.top - other.top) < c.height;
            if (sameParent && sameRow && other.left > c.left && other.kind != Kind::Frame)
                at[i] = std::min(at[i], other.left - c.left);
        }
    }
    return at;
}();

// How many pixels of a label's left the field it names covers, in a window
// enlarged by scale: the temperature fields reach into their labels.
constexpr int coveredLeft(const Control &c, double scale = 1.0)
{
    for (const FieldRow &f : fields) {
        if (std::string_view(f.label.name) == c.name && f.place.left < c.left)
            return std::max(0, pixels(f.place.left + fieldWidth, scale) - pixels(c.left, scale));
    }
    return 0;
}

// The note's box, and where its text goes.
constexpr QRect noteRect(const Placement &at = {})
{
    return pixelRect(noteLeft, noteTop, noteWidth, noteHeight, at.scale)
        .translated(at.origin + QPoint(0, at.inset.y() * framesAbove(noteTop)));
}

constexpr QRect noteTextRect(double scale = 1.0)
{
    const int side = noteLine + noteMargin + noteIndent;
    return noteRect({scale, {}, {}}).adjusted(side, noteLine + noteMargin, -side, -(noteLine + noteMargin));
}

} // namespace layout
