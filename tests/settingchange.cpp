// SPDX-License-Identifier: GPL-3.0-or-later
// Changes a setting of the desktop as Windows' own settings do, telling
// every window, for the tests that change the desktop under a running
// program:
//   settingchange intl                the region's formats changed
//   settingchange ImmersiveColorSet   the colours changed (dark mode)
//   settingchange messagefont PIXELS  the message font, that many pixels high
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char **argv)
{
    if (argc == 3 && std::strcmp(argv[1], "messagefont") == 0) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
            return 1;
        metrics.lfMessageFont.lfHeight = -std::atoi(argv[2]);
        return SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof metrics, &metrics,
                                     SPIF_UPDATEINIFILE | SPIF_SENDCHANGE)
            ? 0
            : 1;
    }
    if (argc != 2)
        return 2;
    static std::wstring area;
    area.assign(argv[1], argv[1] + std::strlen(argv[1]));
    // To each top-level window of every program, as a broadcast does.
    EnumWindows(
        [](HWND window, LPARAM) -> BOOL {
            DWORD_PTR result = 0;
            SendMessageTimeoutW(window, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(area.c_str()), SMTO_ABORTIFHUNG,
                                5000, &result);
            return TRUE;
        },
        0);
    return 0;
}
