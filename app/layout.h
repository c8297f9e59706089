// SPDX-License-Identifier: GPL-3.0-or-later
// The window's 56 controls as data, table by table as the layout gives them:
// frames, fields, labels, the hint and the button. Places and sizes are in
// twips (1/1440 inch, 15 to a pixel at 96 dpi), relative to the frame that
// holds a control or to the window's client area.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>
#include <utility>
#include <variant>

#include <QRect>

#include "converter.h"

namespace layout {

inline constexpr int clientWidth = 6750;
inline constexpr int clientHeight = 6840;
inline constexpr int fieldWidth = 975;
inline constexpr int fieldHeight = 285;
inline constexpr int labelHeight = 255;

enum class Kind { Frame, Field, Label, SubHeading, Hint, Button };

// A field by its name in the layout; the one index of a field everywhere.
enum class FieldId : unsigned char {
    Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text8, Text9, Text10, Text11, Text12,
    Text13, Text14, Text15, Text16, Text17, Text18, Text19, Text20, Text21, Text22, Text23, Text24,
};
inline constexpr std::size_t fieldCount = 24;
inline constexpr std::array<const char *, fieldCount> fieldNames{
    "Text1",  "Text2",  "Text3",  "Text4",  "Text5",  "Text6",  "Text7",  "Text8",
    "Text9",  "Text10", "Text11", "Text12", "Text13", "Text14", "Text15", "Text16",
    "Text17", "Text18", "Text19", "Text20", "Text21", "Text22", "Text23", "Text24",
};

// The unit a field stands for; a control that is no field stands for none.
using Unit = std::variant<std::monostate, convert::Temperature, convert::Length, convert::Mass>;

struct Control {
    Kind kind;
    const char *name;
    const char *frame = nullptr; // the frame that holds it; none: the window
    const char *caption = "";    // UTF-8
    int left = 0, top = 0, width = 0, height = 0;
    int tabIndex = 0;
    FieldId field = {};          // a field's index,
    Unit unit = {};              // its unit,
    const char *label = nullptr; // and the label that names it
};

// "Hinweis zum Gebrauch:", 31 spaces, then the sentence: the run of spaces
// pushes the sentence onto the second line of the wrapped label.
inline constexpr std::string_view hint = "Hinweis zum Gebrauch:                               "
                                         "Die Umrechnung erfolgt beim Verlassen eines jeden Eingabefeldes.";
// The heading the spaces leave alone on the first line, and where the
// sentence starts; both are ASCII, so bytes and characters count alike.
inline constexpr std::string_view hintHeading = hint.substr(0, hint.find("  "));
inline constexpr std::size_t hintSentence = hint.find_first_not_of(' ', hintHeading.size());

constexpr Control frame(const char *name, const char *caption, int left, int top, int width, int height, int tabIndex)
{
    return {.kind = Kind::Frame, .name = name, .caption = caption,
            .left = left, .top = top, .width = width, .height = height, .tabIndex = tabIndex};
}

constexpr Control field(FieldId id, const char *frame, Unit unit, const char *label, int left, int top, int tabIndex)
{
    return {Kind::Field, fieldNames[std::size_t(id)], frame, "", left, top, fieldWidth, fieldHeight, tabIndex, id,
            unit, label};
}

constexpr Control label(const char *name, const char *frame, const char *caption, int left, int top, int width,
                        int tabIndex)
{
    return {.kind = Kind::Label, .name = name, .frame = frame, .caption = caption,
            .left = left, .top = top, .width = width, .height = labelHeight, .tabIndex = tabIndex};
}

// Drawn in the 3-D dark shadow colour.
constexpr Control subHeading(const char *name, const char *frame, const char *caption, int left, int top, int width,
                             int tabIndex)
{
    return {.kind = Kind::SubHeading, .name = name, .frame = frame, .caption = caption,
            .left = left, .top = top, .width = width, .height = labelHeight, .tabIndex = tabIndex};
}

// Wrapped at spaces in its fixed box.
constexpr Control hintLabel(const char *name, int left, int top, int width, int height, int tabIndex)
{
    return {.kind = Kind::Hint, .name = name, .caption = hint.data(),
            .left = left, .top = top, .width = width, .height = height, .tabIndex = tabIndex};
}

constexpr Control button(const char *name, const char *caption, int left, int top, int width, int height,
                         int tabIndex)
{
    return {.kind = Kind::Button, .name = name, .caption = caption,
            .left = left, .top = top, .width = width, .height = height, .tabIndex = tabIndex};
}

inline constexpr std::array<Control, 56> controls = [] {
    using enum FieldId;
    using convert::Length, convert::Mass, convert::Temperature;
    return std::array<Control, 56>{{
        frame("Frame1", "Temperatur", 120, 120, 2895, 735, 0),
        frame("Frame2", "Längen", 120, 960, 6495, 1575, 5),
        frame("Frame3", "Gewichte", 120, 2640, 6495, 3615, 24),

        field(Text1, "Frame1", Temperature::Celsius, "Label1", 120, 240, 1),
        field(Text2, "Frame1", Temperature::Fahrenheit, "Label2", 1440, 240, 2),
        field(Text10, "Frame2", Length::Centimetre, "Label10", 120, 240, 20),
        field(Text3, "Frame2", Length::Metre, "Label3", 1440, 240, 6),
        field(Text4, "Frame2", Length::Kilometre, "Label4", 2760, 240, 7),
        field(Text5, "Frame2", Length::Inch, "Label5", 120, 840, 8),
        field(Text6, "Frame2", Length::Foot, "Label6", 1440, 840, 12),
        field(Text7, "Frame2", Length::Yard, "Label7", 2760, 840, 14),
        field(Text8, "Frame2", Length::Mile, "Label8", 4080, 840, 16),
        field(Text9, "Frame2", Length::NauticalMile, "Label9", 5400, 840, 18),
        field(Text11, "Frame3", Mass::Gram, "Label13", 120, 480, 26),
        field(Text24, "Frame3", Mass::Carat, "Label28", 1440, 480, 54),
        field(Text12, "Frame3", Mass::Kilogram, "Label14", 2760, 480, 27),
        field(Text13, "Frame3", Mass::Tonne, "Label15", 4080, 480, 28),
        field(Text14, "Frame3", Mass::Grain, "Label17", 120, 1440, 29),
        field(Text15, "Frame3", Mass::Dram, "Label18", 1440, 1440, 34),
        field(Text16, "Frame3", Mass::Ounce, "Label19", 2760, 1440, 35),
        field(Text17, "Frame3", Mass::Pound, "Label20", 4080, 1440, 36),
        field(Text18, "Frame3", Mass::ShortTon, "Label21", 5400, 1440, 37),
        field(Text19, "Frame3", Mass::LongTon, "Label22", 120, 2040, 43),
        field(Text20, "Frame3", Mass::TroyGrain, "Label24", 120, 3000, 46),
        field(Text21, "Frame3", Mass::Pennyweight, "Label25", 1440, 3000, 47),
        field(Text22, "Frame3", Mass::TroyOunce, "Label26", 2760, 3000, 48),
        field(Text23, "Frame3", Mass::TroyPound, "Label27", 4080, 3000, 49),

        label("Label1", "Frame1", "°C", 1080, 240, 255, 3),
        label("Label2", "Frame1", "°F", 2400, 240, 255, 4),
        label("Label10", "Frame2", "Zentimeter", 120, 530, 975, 21),
        label("Label3", "Frame2", "Meter", 1440, 530, 855, 9),
        label("Label4", "Frame2", "Kilometer", 2760, 530, 975, 10),
        label("Label5", "Frame2", "Inches", 120, 1130, 975, 11),
        label("Label6", "Frame2", "Feet", 1440, 1130, 975, 13),
        label("Label7", "Frame2", "Yards", 2760, 1130, 975, 15),
        label("Label8", "Frame2", "Meilen", 4080, 1130, 855, 17),
        label("Label9", "Frame2", "Seemeilen", 5400, 1130, 855, 19),
        subHeading("Label12", "Frame3", "Metrisches System", 120, 240, 2055, 25),
        label("Label13", "Frame3", "Gramm [g]", 120, 770, 975, 30),
        label("Label28", "Frame3", "metr. Carat [ct]", 1440, 765, 1215, 55),
        label("Label14", "Frame3", "Kilogramm [kg]", 2760, 765, 1095, 31),
        label("Label15", "Frame3", "metr. Tonne [t]", 4080, 765, 1215, 32),
        subHeading("Label16", "Frame3", "Avoirdupois-System (USA, UK)", 120, 1200, 3135, 33),
        label("Label17", "Frame3", "Grain [gr]", 120, 1725, 975, 38),
        label("Label18", "Frame3", "Dram [dr]", 1440, 1725, 975, 39),
        label("Label19", "Frame3", "Ounce [oz]", 2760, 1725, 975, 40),
        label("Label20", "Frame3", "Pound [lb]", 4080, 1725, 975, 41),
        label("Label21", "Frame3", "Short ton [tn]", 5400, 1725, 975, 42),
        label("Label22", "Frame3", "Long ton [l.tn]", 120, 2325, 1095, 44),
        subHeading("Label23", "Frame3", "Troy-System für Gold, Silber und Edelsteine", 120, 2760, 3255, 45),
        label("Label24", "Frame3", "Grain [gr]", 120, 3290, 1095, 50),
        label("Label25", "Frame3", "Pennyweight [pwt]", 1440, 3285, 1335, 51),
        label("Label26", "Frame3", "Troy Ounce [oz]", 2760, 3285, 1335, 52),
        label("Label27", "Frame3", "Troy Pound [lb]", 4080, 3290, 1215, 53),

        hintLabel("Label11", 3240, 240, 3135, 615, 22),
        button("Close", "Schliessen", 2400, 6360, 1815, 375, 23),
}};
}();

// The fields whose label alone is ambiguous, and the names they go by.
inline constexpr std::array<std::pair<FieldId, std::string_view>, 2> ownNames{{
    {FieldId::Text14, "Grain [gr] (Avoirdupois)"},
    {FieldId::Text20, "Grain [gr] (Troy)"},
}};

// The index of the control of this name in the table; the table's size
// where there is none. (An index and no pointer: comparing the addresses of
// the table's rows is no constant expression under the sanitizers.)
constexpr std::size_t find(std::string_view name)
{
    std::size_t i = 0;
    while (i < controls.size() && controls[i].name != name)
        ++i;
    return i;
}

// Every field's label is in the table.
static_assert([] {
    for (const Control &c : controls) {
        if (c.kind == Kind::Field && find(c.label) == controls.size())
            return false;
    }
    return true;
}());

// Where each field's row stands in the table, found once at compile time.
inline constexpr std::array<std::size_t, fieldCount> fieldRows = [] {
    std::array<std::size_t, fieldCount> rows{};
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (controls[i].kind == Kind::Field)
            rows[std::size_t(controls[i].field)] = i;
    }
    return rows;
}();

// A field's row.
constexpr const Control &row(FieldId id)
{
    return controls[fieldRows[std::size_t(id)]];
}

// How a field is named (UTF-8): by its unit label, or where that is
// ambiguous by a name of its own.
constexpr std::string_view unitName(FieldId id)
{
    for (const auto &[field, name] : ownNames) {
        if (field == id)
            return name;
    }
    return controls[find(row(id).label)].caption;
}

// The fields of a group in the order of its unit table.
template<typename Group, std::size_t N>
constexpr std::array<FieldId, N> fieldsOf()
{
    std::array<FieldId, N> fields{};
    for (const Control &c : controls) {
        if (std::holds_alternative<Group>(c.unit))
            fields[std::size_t(std::get<Group>(c.unit))] = c.field;
    }
    return fields;
}
inline constexpr auto lengthFields = fieldsOf<convert::Length, convert::lengths.size()>();
inline constexpr auto massFields = fieldsOf<convert::Mass, convert::masses.size()>();

// Where a field's message stands: right of "Schliessen", in the strip
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

// A box in logical pixels, relative to its frame or the window.
constexpr QRect pixelRect(int left, int top, int width, int height, double scale = 1.0)
{
    return {pixels(left, scale), pixels(top, scale), pixels(width, scale), pixels(height, scale)};
}

constexpr QRect pixelRect(const Control &c, double scale = 1.0)
{
    return pixelRect(c.left, c.top, c.width, c.height, scale);
}

// The message's box, and where its text goes, in a window enlarged by scale.
constexpr QRect noteRect(double scale = 1.0)
{
    return pixelRect(noteLeft, noteTop, noteWidth, noteHeight, scale);
}

constexpr QRect noteTextRect(double scale = 1.0)
{
    const int side = noteLine + noteMargin + noteIndent;
    return noteRect(scale).adjusted(side, noteLine + noteMargin, -side, -(noteLine + noteMargin));
}

} // namespace layout
