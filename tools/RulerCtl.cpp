// Finds the running ruler and, on request, ends it through its own "Exit" command,
// so that it saves its options as it does when a user exits it.
//   RulerCtl wait   waits until the ruler window is on screen
//   RulerCtl exit   chooses "Exit" and waits until the window is gone
#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

HWND FindRuler()
{
    for (HWND w = FindWindowExW(nullptr, nullptr, nullptr, L"Mensuro"); w;
         w = FindWindowExW(nullptr, w, nullptr, L"Mensuro")) {
        if (IsWindowVisible(w)) return w;
    }
    return nullptr;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 2) {
        std::fputs("usage: RulerCtl wait|exit\n", stderr);
        return 2;
    }
    HWND ruler = nullptr;
    for (int i = 0; i < 300 && !ruler; ++i) {
        ruler = FindRuler();
        if (!ruler) Sleep(100);
    }
    if (!ruler) {
        std::fputs("no ruler window\n", stderr);
        return 1;
    }
    if (std::wcscmp(argv[1], L"exit") == 0) {
        PostMessageW(ruler, WM_COMMAND, IDOK, 0);
        for (int i = 0; i < 100 && IsWindow(ruler); ++i) Sleep(100);
        if (IsWindow(ruler)) return 1;
    }
    return 0;
}
