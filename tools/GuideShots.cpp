// Takes the user guide's pictures from the real program: starts Mensuro.exe beside
// this tool over a sample window, adds guide lines with the mouse and with key E, opens
// the menu and every dialog, measures the sample with each tool of the Measure mode, and
// writes each picture as a BMP file into the given folder.
//   GuideShots OUTDIR [SUFFIX] [DPI]
// SUFFIX is added to every file name ("-ja"); DPI other than 96 takes only the ruler
// picture and the menu, at that display scale.
#include "e2e/RulerSession.h"
#include "resources/resource.h"
#include "support/RegistryScope.h"
#include "support/ScreenProbe.h"

#include <cstdio>
#include <string>

namespace {

std::wstring g_out, g_suffix;

void Shoot(const wchar_t* name, RECT area)
{
    area.left = std::max<LONG>(area.left, 0);
    area.top = std::max<LONG>(area.top, 0);
    const ScreenShot shot(area.left, area.top, area.right - area.left, area.bottom - area.top);
    const std::wstring path = g_out + L"\\" + name + g_suffix + L".bmp";
    std::wprintf(L"%ls %ls\n", shot.SaveBmp(path.c_str()) ? L"wrote" : L"FAILED", path.c_str());
}

RECT Grown(RECT r, int by)
{
    InflateRect(&r, by, by);
    return r;
}

// A plain application window for the ruler to measure.
HWND MakeSample(const RECT& r)
{
    HWND sample = CreateWindowExW(0, L"#32770", L"Sample window", WS_POPUP | WS_BORDER | WS_VISIBLE, r.left, r.top,
                                  r.right - r.left, r.bottom - r.top, nullptr, nullptr, nullptr, nullptr);
    auto add = [&](const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h) {
        HWND child =
            CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, sample, nullptr, nullptr, nullptr);
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
    };
    add(L"STATIC", L"Name:", 0, 20, 24, 60, 20);
    add(L"EDIT", L"A control to measure", WS_BORDER, 90, 20, 200, 24);
    add(L"BUTTON", L"OK", BS_DEFPUSHBUTTON, 90, 70, 90, 28);
    add(L"BUTTON", L"Cancel", BS_PUSHBUTTON, 200, 70, 90, 28);
    add(L"BUTTON", L"Remember me", BS_AUTOCHECKBOX, 90, 120, 200, 24);
    PumpUntil([] { return false; }, 300);
    return sample;
}

// Any dialog of the program other than the ruler (titles differ by language).
HWND OpenAnyDialog(const RulerSession& ruler, UINT command)
{
    PostMessageW(ruler.Window(), WM_COMMAND, command, 0);
    HWND dialog = nullptr;
    PumpUntil([&] { return (dialog = MessageBoxOf(ruler)) != nullptr; }, 5000);
    ruler.Settle();
    PumpUntil([] { return false; }, 400);
    return dialog;
}

// Runs "Copy" with Include Measurements turned on in Copy Setting, and writes the
// clipboard's picture as it is, the way a program pasting it sees it.
void ShootMeasuredCopy(const RulerSession& session, const wchar_t* name)
{
    HWND dialog = OpenAnyDialog(session, ID_COPY_SETTING);
    if (!dialog) {
        std::wprintf(L"FAILED %ls: no Copy Setting\n", name);
        return;
    }
    SendDlgItemMessageW(dialog, 1043, BM_CLICK, 0, 0); // Include Measurements
    CloseDialog(session, dialog, IDOK);
    const DWORD before = GetClipboardSequenceNumber();
    PostMessageW(session.Window(), WM_COMMAND, ID_COPY, 0);
    PumpUntil([&] { return GetClipboardSequenceNumber() != before; }, 5000);
    session.Settle();
    bool written = false;
    const std::wstring path = g_out + L"\\" + name + g_suffix + L".bmp";
    if (OpenClipboard(nullptr)) {
        if (HANDLE block = GetClipboardData(CF_DIB)) {
            const auto* dib = static_cast<const BYTE*>(GlobalLock(block));
            const DWORD size = static_cast<DWORD>(GlobalSize(block));
            BITMAPFILEHEADER file = {};
            file.bfType = 0x4D42; // "BM"
            file.bfSize = sizeof(file) + size;
            file.bfOffBits = sizeof(file) + sizeof(BITMAPINFOHEADER);
            if (FILE* out = dib ? _wfopen(path.c_str(), L"wb") : nullptr) {
                written = std::fwrite(&file, sizeof(file), 1, out) == 1 && std::fwrite(dib, size, 1, out) == 1;
                written = std::fclose(out) == 0 && written;
            }
            GlobalUnlock(block);
        }
        CloseClipboard();
    }
    std::wprintf(L"%ls %ls\n", written ? L"wrote" : L"FAILED", path.c_str());
}

// A window of the program over the whole screen: the Measure mode's overlay.
HWND ScreenOverlayOf(DWORD pid)
{
    struct Search {
        DWORD pid;
        HWND found;
    } search = {pid, nullptr};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            RECT r = {};
            if (owner != s->pid || !IsWindowVisible(window) || !GetWindowRect(window, &r)) return TRUE;
            if (r.left > 0 || r.top > 0 || r.right < GetSystemMetrics(SM_CXSCREEN) ||
                r.bottom < GetSystemMetrics(SM_CYSCREEN))
                return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The Measure mode's tools over the sample window: started with key M on the ruler made
// active by a click at `onBar`, driven with the tools' keys and the mouse. Each picture shows
// the sample with one tool's measurement; Backspace takes the pin away before the next.
void ShootMeasureTools(const RulerSession& session, const RECT& sample, POINT onBar)
{
    UserInput::Click(onBar.x, onBar.y);
    UserInput::Key('M');
    if (!PumpUntil([&] { return ScreenOverlayOf(session.ProcessId()) != nullptr; })) {
        std::wprintf(L"FAILED measure: the mode did not start\n");
        return;
    }
    const auto x = [&](int dx) { return static_cast<int>(sample.left + dx); };
    const auto y = [&](int dy) { return static_cast<int>(sample.top + dy); };
    const auto shoot = [&](const wchar_t* name) {
        session.Settle();
        PumpUntil([] { return false; }, 500);
        Shoot(name, Grown(sample, 40));
    };
    // Spacing between the edit box and the OK button, out to the sample's sides.
    UserInput::Key('1');
    UserInput::MoveTo(x(135), y(57));
    shoot(L"measure-spacing");
    // The gap between the two buttons pinned, then the one below OK live.
    UserInput::Key('2');
    UserInput::Click(x(190), y(84));
    UserInput::Key('3');
    UserInput::MoveTo(x(135), y(110));
    shoot(L"measure-horizontal");
    UserInput::Key(VK_BACK);
    // A box dragged loosely around OK, shrunk onto the button.
    UserInput::Key('4');
    UserInput::Drag(x(78), y(60), x(192), y(108));
    shoot(L"measure-box");
    UserInput::Key(VK_BACK);
    // From the OK button's bottom-left corner to the edit box's top-right one.
    UserInput::Key('5');
    UserInput::Drag(x(91), y(98), x(290), y(21));
    shoot(L"measure-line");
    UserInput::Key(VK_BACK);
    // A vertex below the buttons, the first arm along them, the second up to the edit box.
    UserInput::Key('6');
    UserInput::Drag(x(60), y(200), x(300), y(200));
    UserInput::Click(x(250), y(40));
    shoot(L"measure-angle");
    UserInput::Key(VK_ESCAPE);
    if (!PumpUntil([&] { return ScreenOverlayOf(session.ProcessId()) == nullptr; }))
        std::wprintf(L"FAILED measure: the mode did not end on Esc\n");
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        std::fputs("usage: GuideShots OUTDIR [SUFFIX] [DPI]\n", stderr);
        return 2;
    }
    g_out = argv[1];
    g_suffix = argc > 2 ? argv[2] : L"";
    const DWORD dpi = argc > 3 ? static_cast<DWORD>(_wtoi(argv[3])) : 96;

    // A first start with the ruler placed over the sample window.
    const int s = MulDiv(40, static_cast<int>(dpi), 96);
    const RECT sampleRect = {200, 160, 560, 400};
    RECT inner = sampleRect;
    const RECT ruler = {inner.left - s, inner.top - s, inner.right + s, inner.bottom + s};
    auto reg = MensuroRegistry();
    reg.Clear();
    reg.SetDword("CMensuroDlg", "LEFT", ruler.left);
    reg.SetDword("CMensuroDlg", "TOP", ruler.top);
    reg.SetDword("CMensuroDlg", "RIGHT", ruler.right);
    reg.SetDword("CMensuroDlg", "BOTTOM", ruler.bottom);
    HKEY desktop = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &desktop,
                    nullptr);
    RegSetValueExA(desktop, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof(dpi));
    RegCloseKey(desktop);

    HWND sample = MakeSample(sampleRect);
    RulerSession session;
    if (!session.Started()) {
        std::fputs("the ruler did not start\n", stderr);
        return 1;
    }
    // Guide lines on the sample's edit box and buttons.
    const RECT r = session.Rect();
    UserInput::DoubleClick(r.left + s + 90, r.top + s / 2 + 4);
    UserInput::DoubleClick(r.left + s + 290, r.top + s / 2 + 4);
    UserInput::DoubleClick(r.left + s / 2 + 4, r.top + s + 70);
    UserInput::MoveTo(r.right + 40, r.bottom + 40);
    session.Settle();
    PumpUntil([] { return false; }, 500);
    Shoot(L"ruler", Grown(r, 16));

    if (dpi != 96) {
        // The menu with its icons at the display's scale.
        HWND menu = OpenContextMenu(session, r.left + s + 150, r.top + s / 2);
        PumpUntil([] { return false; }, 1000);
        if (menu) {
            Shoot(L"menu", Grown(WindowRectOf(menu), 8));
            UserInput::Key(VK_ESCAPE);
        }
    } else {
        // The loupe just inside the corner of the OK button, by the guide lines, turned on with L.
        UserInput::Click(r.left + s + 200, r.top + s / 2);
        UserInput::MoveTo(r.left + s + 93, r.top + s + 73);
        UserInput::Key('L');
        HWND loupe = nullptr;
        PumpUntil([&] { return (loupe = WindowOfProcess(session.ProcessId(), L"MensuroLoupe")) != nullptr; });
        PumpUntil([] { return false; }, 500);
        if (loupe) {
            const RECT l = WindowRectOf(loupe);
            Shoot(L"loupe", {r.left + s + 40, r.top + s + 20, l.right + 12, l.bottom + 12});
        }
        UserInput::Key('L');
        UserInput::MoveTo(r.right + 40, r.bottom + 40);

        HWND menu = OpenContextMenu(session, r.left + s + 150, r.top + s / 2);
        // Down to "Add Line", as a user pointing at it would see it.
        for (int i = 0; i < 5; ++i) UserInput::Key(VK_DOWN);
        PumpUntil([] { return false; }, 1000);
        if (menu) {
            RECT area = WindowRectOf(menu);
            UnionRect(&area, &area, &r);
            Shoot(L"menu", Grown(area, 8));
            UserInput::Key(VK_ESCAPE);
        }
        // The picture carries numbers only: one language is enough.
        if (g_suffix.empty()) ShootMeasuredCopy(session, L"measured");
        const struct {
            UINT command;
            const wchar_t* name;
            int close;
        } dialogs[] = {{ID_SETTINGS, L"settings", IDCANCEL},
                       {ID_LINE_LIST, L"linelist", IDCANCEL},
                       {ID_COPY_SETTING, L"copysetting", IDCANCEL},
                       {ID_KEYS, L"keys", IDCANCEL},
                       {ID_CALIBRATE, L"calibrate", IDCANCEL},
                       {ID_APP_ABOUT, L"version", IDOK}};
        for (const auto& d : dialogs) {
            HWND dialog = OpenAnyDialog(session, d.command);
            if (!dialog) {
                std::wprintf(L"FAILED %ls: no dialog\n", d.name);
                continue;
            }
            Shoot(d.name, Grown(WindowRectOf(dialog), 2));
            CloseDialog(session, dialog, d.close);
        }
        // "Lines at Edges": key E inside the edit box and inside the OK button puts lines on their edges.
        PostMessageW(session.Window(), WM_COMMAND, ID_DELETE_ALL_LINES, 0);
        UserInput::Click(r.left + s + 150, r.top + s / 2 + 4);
        for (POINT at : {POINT{250, 40}, POINT{100, 76}}) {
            UserInput::MoveTo(sampleRect.left + at.x, sampleRect.top + at.y);
            UserInput::Key('E');
        }
        UserInput::MoveTo(r.right + 40, r.bottom + 40);
        session.Settle();
        PumpUntil([] { return false; }, 500);
        // The lines carry numbers only: one language is enough.
        if (g_suffix.empty()) Shoot(L"edges", Grown(r, 16));
        // The same lines read in millimetres, chosen as a user does, from the "Unit" submenu's command.
        if (g_suffix.empty()) {
            PostMessageW(session.Window(), WM_COMMAND, ID_UNIT_MILLIMETRES, 0);
            session.Settle();
            PumpUntil([] { return false; }, 500);
            Shoot(L"units", Grown(r, 16));
            PostMessageW(session.Window(), WM_COMMAND, ID_UNIT_PIXELS, 0);
            session.Settle();
            // The numbers of the Measure mode: one language is enough.
            PostMessageW(session.Window(), WM_COMMAND, ID_DELETE_ALL_LINES, 0);
            ShootMeasureTools(session, sampleRect, POINT{r.left + s + 150, r.top + s / 2 + 4});
        }
    }
    session.Exit();
    DestroyWindow(sample);
    reg.Clear();
    return 0;
}
