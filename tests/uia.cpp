// SPDX-License-Identifier: GPL-3.0-or-later
// What a Windows screen reader finds in the window titled Velmarin, asked
// through UI Automation: every element under the window with its control
// type, AutomationId, name and full description, one line each,
// tab-separated, and a line for the element that has the keyboard focus.
// The lines go, in UTF-8, to the file named by the first argument.
// tests/wine-uia.sh runs it beside velmarin.exe.
//
// It asks through UI Automation's core API (UiaFind), which takes every
// property in one request. Wine 10's COM client (IUIAutomation) walks the
// same tree but answers no AutomationId and no full description.
#include <windows.h>

#include <uiautomation.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>

namespace {

constexpr PROPERTYID asked[] = {UIA_ControlTypePropertyId, UIA_AutomationIdPropertyId, UIA_NamePropertyId,
                                UIA_FullDescriptionPropertyId, UIA_HasKeyboardFocusPropertyId};
constexpr int askedCount = sizeof asked / sizeof *asked;

std::string utf8(const wchar_t *text)
{
    if (!text || !*text)
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(std::size_t(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes.data(), size, nullptr, nullptr);
    bytes.resize(std::size_t(size - 1));
    // One element, one line.
    for (char &c : bytes) {
        if (c == '\n' || c == '\t')
            c = ' ';
    }
    return bytes;
}

const char *typeName(long type)
{
    switch (type) {
    case UIA_ButtonControlTypeId: return "Button";
    case UIA_CustomControlTypeId: return "Custom";
    case UIA_EditControlTypeId: return "Edit";
    case UIA_GroupControlTypeId: return "Group";
    case UIA_PaneControlTypeId: return "Pane";
    case UIA_TextControlTypeId: return "Text";
    case UIA_WindowControlTypeId: return "Window";
    default: return "Other";
    }
}

// Qt gives an element the object names from the window down, dotted; the
// last is the control's own.
std::string ownName(const std::string &automationId)
{
    return automationId.substr(automationId.find_last_of('.') + 1);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2)
        return 2;
    HWND window = FindWindowW(nullptr, L"Velmarin");
    HUIANODE root = nullptr;
    if (!window || FAILED(UiaNodeFromHandle(window, &root))) {
        std::fputs("no window titled Velmarin in UI Automation\n", stderr);
        return 1;
    }
    UiaCondition every = {ConditionType_True};
    PROPERTYID properties[askedCount];
    std::copy(std::begin(asked), std::end(asked), properties);
    UiaCacheRequest request = {&every, TreeScope_Element, properties, askedCount, nullptr, 0,
                               AutomationElementMode_Full};
    UiaFindParams find = {-1, FALSE, FALSE, &every};
    SAFEARRAY *found = nullptr;
    SAFEARRAY *offsets = nullptr;
    SAFEARRAY *structures = nullptr;
    const HRESULT result = UiaFind(root, &find, &request, &found, &offsets, &structures);
    if (FAILED(result) || !found) {
        std::fprintf(stderr, "UiaFind failed (0x%08lx)\n", result);
        return 1;
    }
    FILE *out = std::fopen(argv[1], "wb");
    if (!out)
        return 1;
    LONG first = 0;
    LONG last = -1;
    SafeArrayGetLBound(found, 1, &first);
    SafeArrayGetUBound(found, 1, &last);
    std::string focus;
    for (LONG element = first; element <= last; ++element) {
        // Column 0 is the element itself, then one for each property asked.
        VARIANT values[askedCount];
        for (int p = 0; p < askedCount; ++p) {
            LONG at[2] = {element, p + 1};
            VariantInit(&values[p]);
            SafeArrayGetElement(found, at, &values[p]);
        }
        const auto text = [&values](int p) { return values[p].vt == VT_BSTR ? utf8(values[p].bstrVal) : std::string(); };
        const long type = values[0].vt == VT_I4 ? values[0].lVal : 0;
        const std::string line = std::string(typeName(type)) + '\t' + ownName(text(1)) + '\t' + text(2) + '\t' + text(3);
        std::fprintf(out, "element\t%s\n", line.c_str());
        // The window has the focus too, as the one that holds it.
        if (values[4].vt == VT_BOOL && values[4].boolVal && type != UIA_WindowControlTypeId)
            focus = line;
        for (VARIANT &value : values)
            VariantClear(&value);
    }
    if (!focus.empty())
        std::fprintf(out, "focus\t%s\n", focus.c_str());
    std::fclose(out);
    SafeArrayDestroy(found);
    SafeArrayDestroy(offsets);
    SafeArrayDestroy(structures);
    UiaNodeRelease(root);
    return 0;
}
