// SPDX-License-Identifier: GPL-3.0-or-later
// The window's 56 controls as data: place, caption and tab index of each, in
// twips (1/1440 inch, 15 to a pixel at 96 dpi), relative to the frame that
// holds the control or to the window's client area.
#pragma once

#include <array>

#include <QByteArrayView>
#include <QRect>
#include <QString>

namespace layout {

inline constexpr int clientWidth = 6750;
inline constexpr int clientHeight = 6840;

enum class Kind { Frame, Field, Label, SubHeading, Button };
enum class Group { None, Length, Mass };

struct Control {
    Kind kind;
    const char *name;
    const char *parent; // nullptr: the window itself
    const char *caption; // UTF-8
    int left, top, width, height;
    int tabIndex;
    const char *buddy = nullptr; // unit labels: the field they name
    Group group = Group::None;   // fields: the quantity, and
    int unit = -1;               // the row in that group's table
    const char *accessibleName = nullptr; // fields whose label alone is ambiguous
};

// "Hinweis zum Gebrauch:", 31 spaces, then the sentence: the run of spaces
// pushes the sentence onto the second line of the wrapped label.
inline constexpr const char *hint =
    "Hinweis zum Gebrauch:                               "
    "Die Umrechnung erfolgt beim Verlassen eines jeden Eingabefeldes.";

inline constexpr std::array<Control, 56> controls{{
    {Kind::Frame, "Frame1", nullptr, "Temperatur", 120, 120, 2895, 735, 0},
    {Kind::Frame, "Frame2", nullptr, "Längen", 120, 960, 6495, 1575, 5},
    {Kind::Frame, "Frame3", nullptr, "Gewichte", 120, 2640, 6495, 3615, 24},
    {Kind::Label, "Label11", nullptr, hint, 3240, 240, 3135, 615, 22},
    {Kind::Button, "Close", nullptr, "Schliessen", 2400, 6360, 1815, 375, 23},

    {Kind::Field, "Text1", "Frame1", "", 120, 240, 975, 285, 1},
    {Kind::Label, "Label1", "Frame1", "°C", 1080, 240, 255, 255, 3, "Text1"},
    {Kind::Field, "Text2", "Frame1", "", 1440, 240, 975, 285, 2},
    {Kind::Label, "Label2", "Frame1", "°F", 2400, 240, 255, 255, 4, "Text2"},

    {Kind::Field, "Text10", "Frame2", "", 120, 240, 975, 285, 20, nullptr, Group::Length, 0},
    {Kind::Field, "Text3", "Frame2", "", 1440, 240, 975, 285, 6, nullptr, Group::Length, 1},
    {Kind::Field, "Text4", "Frame2", "", 2760, 240, 975, 285, 7, nullptr, Group::Length, 2},
    {Kind::Label, "Label10", "Frame2", "Zentimeter", 120, 530, 975, 255, 21, "Text10"},
    {Kind::Label, "Label3", "Frame2", "Meter", 1440, 530, 855, 255, 9, "Text3"},
    {Kind::Label, "Label4", "Frame2", "Kilometer", 2760, 530, 975, 255, 10, "Text4"},
    {Kind::Field, "Text5", "Frame2", "", 120, 840, 975, 285, 8, nullptr, Group::Length, 3},
    {Kind::Field, "Text6", "Frame2", "", 1440, 840, 975, 285, 12, nullptr, Group::Length, 4},
    {Kind::Field, "Text7", "Frame2", "", 2760, 840, 975, 285, 14, nullptr, Group::Length, 5},
    {Kind::Field, "Text8", "Frame2", "", 4080, 840, 975, 285, 16, nullptr, Group::Length, 6},
    {Kind::Field, "Text9", "Frame2", "", 5400, 840, 975, 285, 18, nullptr, Group::Length, 7},
    {Kind::Label, "Label5", "Frame2", "Inches", 120, 1130, 975, 255, 11, "Text5"},
    {Kind::Label, "Label6", "Frame2", "Feet", 1440, 1130, 975, 255, 13, "Text6"},
    {Kind::Label, "Label7", "Frame2", "Yards", 2760, 1130, 975, 255, 15, "Text7"},
    {Kind::Label, "Label8", "Frame2", "Meilen", 4080, 1130, 855, 255, 17, "Text8"},
    {Kind::Label, "Label9", "Frame2", "Seemeilen", 5400, 1130, 855, 255, 19, "Text9"},

    {Kind::SubHeading, "Label12", "Frame3", "Metrisches System", 120, 240, 2055, 255, 25},
    {Kind::Field, "Text11", "Frame3", "", 120, 480, 975, 285, 26, nullptr, Group::Mass, 0},
    {Kind::Field, "Text24", "Frame3", "", 1440, 480, 975, 285, 54, nullptr, Group::Mass, 1},
    {Kind::Field, "Text12", "Frame3", "", 2760, 480, 975, 285, 27, nullptr, Group::Mass, 2},
    {Kind::Field, "Text13", "Frame3", "", 4080, 480, 975, 285, 28, nullptr, Group::Mass, 3},
    {Kind::Label, "Label13", "Frame3", "Gramm [g]", 120, 770, 975, 255, 30, "Text11"},
    {Kind::Label, "Label28", "Frame3", "metr. Carat [ct]", 1440, 765, 1215, 255, 55, "Text24"},
    {Kind::Label, "Label14", "Frame3", "Kilogramm [kg]", 2760, 765, 1095, 255, 31, "Text12"},
    {Kind::Label, "Label15", "Frame3", "metr. Tonne [t]", 4080, 765, 1215, 255, 32, "Text13"},
    {Kind::SubHeading, "Label16", "Frame3", "Avoirdupois-System (USA, UK)", 120, 1200, 3135, 255, 33},
    {Kind::Field, "Text14", "Frame3", "", 120, 1440, 975, 285, 29, nullptr, Group::Mass, 4,
     "Grain [gr] (Avoirdupois)"},
    {Kind::Field, "Text15", "Frame3", "", 1440, 1440, 975, 285, 34, nullptr, Group::Mass, 5},
    {Kind::Field, "Text16", "Frame3", "", 2760, 1440, 975, 285, 35, nullptr, Group::Mass, 6},
    {Kind::Field, "Text17", "Frame3", "", 4080, 1440, 975, 285, 36, nullptr, Group::Mass, 7},
    {Kind::Field, "Text18", "Frame3", "", 5400, 1440, 975, 285, 37, nullptr, Group::Mass, 8},
    {Kind::Label, "Label17", "Frame3", "Grain [gr]", 120, 1725, 975, 255, 38, "Text14"},
    {Kind::Label, "Label18", "Frame3", "Dram [dr]", 1440, 1725, 975, 255, 39, "Text15"},
    {Kind::Label, "Label19", "Frame3", "Ounce [oz]", 2760, 1725, 975, 255, 40, "Text16"},
    {Kind::Label, "Label20", "Frame3", "Pound [lb]", 4080, 1725, 975, 255, 41, "Text17"},
    {Kind::Label, "Label21", "Frame3", "Short ton [tn]", 5400, 1725, 975, 255, 42, "Text18"},
    {Kind::Field, "Text19", "Frame3", "", 120, 2040, 975, 285, 43, nullptr, Group::Mass, 9},
    {Kind::Label, "Label22", "Frame3", "Long ton [l.tn]", 120, 2325, 1095, 255, 44, "Text19"},
    {Kind::SubHeading, "Label23", "Frame3", "Troy-System für Gold, Silber und Edelsteine", 120, 2760, 3255, 255, 45},
    {Kind::Field, "Text20", "Frame3", "", 120, 3000, 975, 285, 46, nullptr, Group::Mass, 10,
     "Grain [gr] (Troy)"},
    {Kind::Field, "Text21", "Frame3", "", 1440, 3000, 975, 285, 47, nullptr, Group::Mass, 11},
    {Kind::Field, "Text22", "Frame3", "", 2760, 3000, 975, 285, 48, nullptr, Group::Mass, 12},
    {Kind::Field, "Text23", "Frame3", "", 4080, 3000, 975, 285, 49, nullptr, Group::Mass, 13},
    {Kind::Label, "Label24", "Frame3", "Grain [gr]", 120, 3290, 1095, 255, 50, "Text20"},
    {Kind::Label, "Label25", "Frame3", "Pennyweight [pwt]", 1440, 3285, 1335, 255, 51, "Text21"},
    {Kind::Label, "Label26", "Frame3", "Troy Ounce [oz]", 2760, 3285, 1335, 255, 52, "Text22"},
    {Kind::Label, "Label27", "Frame3", "Troy Pound [lb]", 4080, 3290, 1215, 255, 53, "Text23"},
}};

// Where a field's message stands: right of "Schliessen", in the strip
// between the mass frame and the window's bottom edge, the one place of the
// window that holds no caption.
inline constexpr int noteLeft = 4335, noteTop = 6285, noteWidth = 2280, noteHeight = 525;

// Twips to logical pixels in a window enlarged by scale; the few values that
// are no multiple of 15 round to nearest.
constexpr int pixels(int twips, double scale = 1.0)
{
    return static_cast<int>(twips * scale / 15 + 0.5);
}

// How a field is named: by its unit label, or where that is ambiguous by
// its own accessible name.
inline QString unitName(const Control &field)
{
    if (field.accessibleName)
        return QString::fromUtf8(field.accessibleName);
    for (const Control &c : controls) {
        if (c.buddy && QByteArrayView(c.buddy) == QByteArrayView(field.name))
            return QString::fromUtf8(c.caption);
    }
    return {};
}

// A control's box in logical pixels, relative to its frame or the window.
constexpr QRect pixelRect(const Control &c, double scale = 1.0)
{
    return {pixels(c.left, scale), pixels(c.top, scale), pixels(c.width, scale), pixels(c.height, scale)};
}

} // namespace layout
