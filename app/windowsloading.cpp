// SPDX-License-Identifier: GPL-3.0-or-later
// Where the Windows program takes Windows' own DLLs from: System32 alone,
// never the folder it was started from, where anyone can put a file (a
// download folder, a USB stick). Those that are not among Windows'
// KnownDLLs, which Windows would look for in that folder first, are loaded
// only when first used (app/CMakeLists.txt); this restricts the search
// before then, and marks the program so that Windows resolves its imports
// in System32 alone.
#include <windows.h>

// The program's load configuration: its DependentLoadFlags (the field
// MinGW's headers call Reserved1) make Windows 10 1607 and later resolve
// the program's imports in System32 alone. In a section of its own, which
// packaging/windows/after-link makes the load configuration after linking.
namespace {

constexpr IMAGE_LOAD_CONFIG_DIRECTORY64 loadConfiguration()
{
    IMAGE_LOAD_CONFIG_DIRECTORY64 record{};
    record.Size = sizeof record;
    record.Reserved1 = LOAD_LIBRARY_SEARCH_SYSTEM32;
    return record;
}

} // namespace

extern "C" __attribute__((section(".loadcfg"), used)) const IMAGE_LOAD_CONFIG_DIRECTORY64 _load_config_used =
    loadConfiguration();

namespace {

// Before the static initialisers of Qt and of the program, which run at a
// later priority, and so before anything can load a DLL when first used.
__attribute__((constructor(101))) void searchSystem32Only()
{
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

} // namespace
