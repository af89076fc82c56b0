#include "e2e/RulerSession.h"

#include "resources/resource.h"
#include "shell/TrayIcon.h"

#include "support/RegistryScope.h"
#include "support/TestPaths.h"

#include <cstdio>
#include <cstring>
#include <cwchar>

namespace {

struct FindData {
    DWORD pid;
    const wchar_t* title;
    HWND exclude;
    HWND found;
};

BOOL CALLBACK FindWindowOfProcess(HWND hwnd, LPARAM param)
{
    auto* data = reinterpret_cast<FindData*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != data->pid || hwnd == data->exclude || !IsWindowVisible(hwnd)) return TRUE;
    wchar_t title[128] = {};
    GetWindowTextW(hwnd, title, 128);
    if (wcscmp(title, data->title) != 0) return TRUE;
    data->found = hwnd;
    return FALSE;
}

void SendMouse(DWORD flags, int x = 0, int y = 0)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_ABSOLUTE) {
        const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
        // Rounded up: the system maps back with (d * size) >> 16, which must give x and y exactly.
        input.mi.dx = static_cast<LONG>((x * 65536LL + w - 1) / w);
        input.mi.dy = static_cast<LONG>((y * 65536LL + h - 1) / h);
    }
    SendInput(1, &input, sizeof(input));
    Sleep(30);
}

// A button event that carries its own position: under Wine a late pointer update from an earlier
// move can otherwise put it where the pointer was before.
void Button(DWORD flag, int x, int y)
{
    SendMouse(flag | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y);
}

void SendKey(WORD vk, bool up)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof(input));
    Sleep(20);
}

// The visible ruler window of a program started by another process than this one.
HWND FindRulerStartedElsewhere()
{
    HWND found = nullptr;
    EnumWindows(
        [](HWND hwnd, LPARAM param) -> BOOL {
            DWORD pid = 0;
            GetWindowThreadProcessId(hwnd, &pid);
            wchar_t title[16] = {}, cls[16] = {};
            GetWindowTextW(hwnd, title, 16);
            GetClassNameW(hwnd, cls, 16);
            if (pid == GetCurrentProcessId() || !IsWindowVisible(hwnd) || wcscmp(title, L"Mensuro") != 0 ||
                wcscmp(cls, L"#32770") != 0)
                return TRUE;
            *reinterpret_cast<HWND*>(param) = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

} // namespace

bool RulerSession::CanStartInLocale()
{
    return GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name") != nullptr;
}

RulerSession::RulerSession(const char* unixLocale)
{
    // Wine's path conversions; Windows has none.
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    auto dosName = reinterpret_cast<WCHAR*(CDECL*)(LPCSTR)>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "wine_get_dos_file_name")));
    auto unixName = reinterpret_cast<char*(CDECL*)(LPCWSTR)>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "wine_get_unix_file_name")));
    if (!dosName || !unixName) return;
    WCHAR* env = dosName("/usr/bin/env");
    char* exe = unixName(MensuroExePath().c_str());
    wchar_t loader[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"WINELOADER", loader, MAX_PATH)) wcscpy(loader, L"/usr/lib/wine/wine64");
    if (env && exe) {
        // A Unix program started from Wine gets the environment given on its command line; the
        // new Wine process it starts joins this Wine session in that locale.
        const std::string exePath(exe);
        const std::wstring locale(unixLocale, unixLocale + strlen(unixLocale));
        std::wstring command = std::wstring(env) + L" LC_ALL=" + locale + L" LANG=" + locale + L" " + loader + L" " +
                               std::wstring(exePath.begin(), exePath.end());
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION started = {};
        if (CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, ExeDirectory().c_str(), &startup,
                           &started)) {
            if (started.hProcess) CloseHandle(started.hProcess);
            if (started.hThread) CloseHandle(started.hThread);
            for (int i = 0; i < 300 && !m_window; ++i) {
                m_window = FindRulerStartedElsewhere();
                if (!m_window) Sleep(50);
            }
        }
    }
    HeapFree(GetProcessHeap(), 0, env);
    HeapFree(GetProcessHeap(), 0, exe);
    if (!m_window) return;
    GetWindowThreadProcessId(m_window, &m_process.dwProcessId);
    m_process.hProcess =
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE, FALSE, m_process.dwProcessId);
    Settle();
}

RulerSession::RulerSession()
{
    std::wstring command = L"\"" + MensuroExePath() + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, ExeDirectory().c_str(), &startup,
                        &m_process))
        return;
    WaitForInputIdle(m_process.hProcess, 10000);
    for (int i = 0; i < 200 && !m_window; ++i) {
        m_window = FindOwnWindow(L"Mensuro");
        if (!m_window) Sleep(50);
    }
    Settle();
}

RulerSession::~RulerSession()
{
    if (Running() && Exit() == STILL_ACTIVE) TerminateProcess(m_process.hProcess, 99);
    if (m_process.hProcess) CloseHandle(m_process.hProcess);
    if (m_process.hThread) CloseHandle(m_process.hThread);
}

HWND RulerSession::FindOwnWindow(const wchar_t* title) const
{
    FindData data = {m_process.dwProcessId, title, nullptr, nullptr};
    if (wcscmp(title, L"Mensuro") != 0) data.exclude = m_window;
    EnumWindows(&FindWindowOfProcess, reinterpret_cast<LPARAM>(&data));
    return data.found;
}

HWND RulerSession::FindMessageBox() const
{
    FindData data = {m_process.dwProcessId, L"Mensuro", m_window, nullptr};
    EnumWindows(&FindWindowOfProcess, reinterpret_cast<LPARAM>(&data));
    return data.found;
}

RECT RulerSession::Rect() const
{
    RECT rect = {};
    GetWindowRect(m_window, &rect);
    return rect;
}

bool RulerSession::Running() const
{
    return m_process.hProcess && WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT;
}

void RulerSession::Settle() const
{
    DWORD_PTR ignored = 0;
    for (int i = 0; i < 3 && m_window; ++i) {
        SendMessageTimeoutW(m_window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
        Sleep(60);
    }
}

DWORD RulerSession::Exit()
{
    if (!Running()) {
        DWORD code = 0;
        GetExitCodeProcess(m_process.hProcess, &code);
        return code;
    }
    PostMessageW(m_window, WM_COMMAND, IDOK, 0);
    if (WaitForSingleObject(m_process.hProcess, 10000) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = 0;
    GetExitCodeProcess(m_process.hProcess, &code);
    return code;
}

namespace UserInput {

void MoveTo(int x, int y)
{
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, x, y);
    // Wine applies an injected move with some delay; a button event sent before the pointer has
    // arrived would act at the old position.
    POINT at = {};
    for (int i = 0; i < 100 && !(GetCursorPos(&at) && at.x == x && at.y == y); ++i) Sleep(10);
}

void Drag(int fromX, int fromY, int toX, int toY, bool rightButton, bool ctrl)
{
    MoveTo(fromX, fromY);
    if (ctrl) SendKey(VK_CONTROL, false);
    Button(rightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN, fromX, fromY);
    const int steps = 8;
    for (int i = 1; i < steps; ++i)
        SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, fromX + (toX - fromX) * i / steps,
                  fromY + (toY - fromY) * i / steps);
    MoveTo(toX, toY);
    // Wine brings its key state in line with the X server's (where Ctrl is up) when the pointer
    // enters another window; pressing again keeps Ctrl held for the release.
    if (ctrl) SendKey(VK_CONTROL, false);
    Button(rightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP, toX, toY);
    if (ctrl) SendKey(VK_CONTROL, true);
    Sleep(100);
}

void Click(int x, int y, bool rightButton)
{
    MoveTo(x, y);
    Button(rightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN, x, y);
    Button(rightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP, x, y);
}

void DoubleClick(int x, int y)
{
    Click(x, y);
    Button(MOUSEEVENTF_LEFTDOWN, x, y);
    Button(MOUSEEVENTF_LEFTUP, x, y);
}

void Press(int x, int y, bool rightButton)
{
    MoveTo(x, y);
    Button(rightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN, x, y);
}

void Release(int x, int y, bool rightButton)
{
    MoveTo(x, y);
    Button(rightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP, x, y);
}

void Key(WORD vk)
{
    SendKey(vk, false);
    SendKey(vk, true);
}

} // namespace UserInput

SolidWindow::SolidWindow(const RECT& screenRect, COLORREF colour) : m_state{colour, {}}
{
    static const wchar_t kClass[] = L"MensuroTestSolidWindow";
    WNDCLASSW wc = {};
    wc.lpfnWndProc = &SolidWindow::Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClass;
    RegisterClassW(&wc); // fails harmlessly once the class exists
    m_window = CreateWindowExW(0, kClass, L"Solid", WS_POPUP | WS_CLIPCHILDREN, screenRect.left, screenRect.top,
                               screenRect.right - screenRect.left, screenRect.bottom - screenRect.top, nullptr, nullptr,
                               wc.hInstance, &m_state);
    ShowWindow(m_window, SW_SHOWNOACTIVATE);
    UpdateWindow(m_window);
}

SolidWindow::~SolidWindow()
{
    if (m_window) DestroyWindow(m_window);
}

RECT SolidWindow::Rect() const
{
    RECT rect = {};
    GetWindowRect(m_window, &rect);
    return rect;
}

bool SolidWindow::WasPressedAt(int x, int y) const
{
    for (const POINT& p : m_state.presses)
        if (p.x == x && p.y == y) return true;
    return false;
}

HWND SolidWindow::AddButton(const RECT& rect)
{
    return CreateWindowExW(0, L"BUTTON", L"Child", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, rect.left, rect.top,
                           rect.right - rect.left, rect.bottom - rect.top, m_window, nullptr, GetModuleHandleW(nullptr),
                           nullptr);
}

LRESULT CALLBACK SolidWindow::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    auto* state = reinterpret_cast<State*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (state && message == WM_ERASEBKGND) {
        RECT client = {};
        GetClientRect(hwnd, &client);
        HBRUSH brush = CreateSolidBrush(state->colour);
        FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
        DeleteObject(brush);
        return 1;
    }
    if (state && message == WM_LBUTTONDOWN) {
        POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ClientToScreen(hwnd, &at);
        state->presses.push_back(at);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (done()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

RECT WindowRectOf(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

std::string Hex(COLORREF c)
{
    char text[16];
    snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
    return text;
}

bool WaitForPixel(int x, int y, COLORREF colour)
{
    // Long enough for a machine busy with other work; only a failing check waits it out.
    return PumpUntil([&] { return ScreenPixel(x, y) == colour; }, 10000);
}

void Linger(const RulerSession& ruler)
{
    ruler.Settle();
    PumpUntil([] { return false; }, 300);
}

HWND WindowOfProcess(DWORD pid, const wchar_t* className, HWND exclude)
{
    struct Query {
        DWORD pid;
        const wchar_t* className;
        HWND exclude, found;
    } query = {pid, className, exclude, nullptr};
    EnumWindows(
        [](HWND hwnd, LPARAM param) -> BOOL {
            auto* q = reinterpret_cast<Query*>(param);
            DWORD pid = 0;
            GetWindowThreadProcessId(hwnd, &pid);
            wchar_t name[64] = {};
            GetClassNameW(hwnd, name, 64);
            if (pid != q->pid || hwnd == q->exclude || !IsWindowVisible(hwnd) || wcscmp(name, q->className) != 0)
                return TRUE;
            q->found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&query));
    return query.found;
}

HWND ContextMenuOf(const RulerSession& ruler)
{
    return WindowOfProcess(ruler.ProcessId(), L"#32768");
}

HWND MessageBoxOf(const RulerSession& ruler)
{
    return WindowOfProcess(ruler.ProcessId(), L"#32770", ruler.Window());
}

bool HasChildText(HWND parent, const wchar_t* part)
{
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t text[512] = {};
        GetWindowTextW(child, text, 512);
        if (wcsstr(text, part)) return true;
    }
    return false;
}

ScreenShot SteadyShotOf(HWND window)
{
    const RECT r = WindowRectOf(window);
    auto take = [&] { return ScreenShot(r.left, r.top, r.right - r.left, r.bottom - r.top); };
    ScreenShot last = take();
    for (int i = 0; i < 30; ++i) {
        PumpUntil([] { return false; }, 100);
        ScreenShot next = take();
        if (next.SameAs(last)) return next;
        last = next;
    }
    return last;
}

bool TrayIconShown(const RulerSession& ruler)
{
    NOTIFYICONDATAW record = {};
    record.cbSize = NOTIFYICONDATAW_V1_SIZE;
    record.hWnd = ruler.Window();
    record.uID = kTrayIconId;
    return Shell_NotifyIconW(NIM_MODIFY, &record) != FALSE;
}

bool Answer(HWND box, int buttonId)
{
    const RECT button = WindowRectOf(GetDlgItem(box, buttonId));
    UserInput::Click((button.left + button.right) / 2, (button.top + button.bottom) / 2);
    return PumpUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); });
}

namespace {

// Where a command sits in the context menu: its index among the items that are not separators,
// and the same within the submenu it is in (-1 at the top level).
struct MenuPlace {
    int item = -1;
    int subItem = -1;
};

int PlaceIn(HMENU menu, UINT command, MenuPlace& place)
{
    int shown = 0;
    for (int i = 0, n = GetMenuItemCount(menu); i < n; ++i) {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info) || (info.fType & MFT_SEPARATOR)) continue;
        if (info.hSubMenu) {
            MenuPlace inner;
            if (PlaceIn(info.hSubMenu, command, inner) >= 0) {
                place = {shown, inner.item};
                return shown;
            }
        } else if (info.wID == command) {
            place.item = shown;
            return shown;
        }
        ++shown;
    }
    return -1;
}

MenuPlace PlaceInContextMenu(UINT command)
{
    MenuPlace place;
    HMODULE exe = LoadLibraryExW(MensuroExePath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!exe) return place;
    if (HMENU bar = LoadMenuW(exe, MAKEINTRESOURCEW(IDR_CONTEXT_MENU))) {
        PlaceIn(GetSubMenu(bar, 0), command, place);
        DestroyMenu(bar);
    }
    FreeLibrary(exe);
    return place;
}

// The top row of the highlighted item in a menu window, or -1 while none is highlighted.
int HighlightTop(HWND menuWindow)
{
    const RECT r = WindowRectOf(menuWindow);
    const int x = (r.left + r.right) / 2;
    const ScreenShot column(x, r.top, 1, r.bottom - r.top);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT), flat = GetSysColor(COLOR_MENUHILIGHT);
    for (int y = r.top; y < r.bottom; ++y) {
        const COLORREF c = column.At(x, y);
        if (c == highlight || c == flat) return y;
    }
    return -1;
}

// Presses a key in a menu and waits until the highlight has moved away from `top`, which then
// holds the new place. A key sent as the menu opens can be lost before its loop takes keys: a
// first key (nothing highlighted yet) is sent again when nothing has happened for a while.
bool MenuKey(HWND menuWindow, WORD vk, int& top)
{
    const int from = top;
    for (int attempt = 0; attempt < (from < 0 ? 3 : 1); ++attempt) {
        UserInput::Key(vk);
        if (PumpUntil([&] { return IsWindowVisible(menuWindow) && (top = HighlightTop(menuWindow)) != from; },
                      from < 0 ? 2000 : 5000))
            return true;
    }
    return false;
}

bool MenuGone(HWND menuWindow)
{
    return !IsWindow(menuWindow) || !IsWindowVisible(menuWindow);
}

} // namespace

bool ChooseMenuCommand(HWND menuWindow, UINT command)
{
    const MenuPlace place = PlaceInContextMenu(command);
    if (place.item < 0 || !menuWindow) return false;
    DWORD pid = 0;
    GetWindowThreadProcessId(menuWindow, &pid);
    // The keys below count from no item highlighted. Until the menu has painted, the screen
    // can still show the last menu's highlight there.
    int top = 0;
    if (!PumpUntil([&] { return IsWindowVisible(menuWindow) && (top = HighlightTop(menuWindow)) < 0; }, 5000))
        return false;
    for (int i = 0; i <= place.item; ++i) {
        if (!MenuKey(menuWindow, VK_DOWN, top)) return false;
        // A first key sent again can have arrived twice: the first item is at the menu's top.
        if (i == 0 && top > WindowRectOf(menuWindow).top + 6 && !MenuKey(menuWindow, VK_UP, top)) return false;
    }
    if (place.subItem >= 0) {
        UserInput::Key(VK_RIGHT);
        HWND sub = nullptr;
        // The submenu opens with its first item highlighted.
        if (!PumpUntil(
                [&] {
                    sub = WindowOfProcess(pid, L"#32768", menuWindow);
                    return sub && HighlightTop(sub) >= 0;
                },
                5000))
            return false;
        int subTop = HighlightTop(sub);
        for (int i = 0; i < place.subItem; ++i)
            if (!MenuKey(sub, VK_DOWN, subTop)) return false;
        UserInput::Key(VK_RETURN);
        return PumpUntil([&] { return MenuGone(menuWindow) && MenuGone(sub); }, 5000);
    }
    UserInput::Key(VK_RETURN);
    return PumpUntil([&] { return MenuGone(menuWindow); }, 5000);
}

bool CloseMenu(HWND menuWindow)
{
    for (int attempt = 0; attempt < 3 && !MenuGone(menuWindow); ++attempt) {
        UserInput::Key(VK_ESCAPE);
        PumpUntil([&] { return MenuGone(menuWindow); }, 1500);
    }
    return MenuGone(menuWindow);
}

HWND OpenContextMenu(const RulerSession& ruler, int x, int y)
{
    // Under Wine a right click that follows a closing menu at once can be lost: once the ruler
    // has caught up with everything and still no menu has opened, a user clicks again.
    HWND menu = nullptr;
    for (int attempt = 0; attempt < 3 && !menu; ++attempt) {
        ruler.Settle();
        UserInput::Click(x, y, true);
        PumpUntil([&] { return (menu = ContextMenuOf(ruler)) != nullptr; }, 3000);
    }
    return menu;
}

void StartAfreshAt(const RECT& window)
{
    const RegistryScope reg = MensuroRegistry();
    reg.Clear();
    reg.SetDword("CMensuroDlg", "LEFT", static_cast<uint32_t>(window.left));
    reg.SetDword("CMensuroDlg", "TOP", static_cast<uint32_t>(window.top));
    reg.SetDword("CMensuroDlg", "RIGHT", static_cast<uint32_t>(window.right));
    reg.SetDword("CMensuroDlg", "BOTTOM", static_cast<uint32_t>(window.bottom));
}

HWND OpenDialog(const RulerSession& ruler, UINT command, const wchar_t* title)
{
    PostMessageW(ruler.Window(), WM_COMMAND, command, 0);
    HWND dialog = nullptr;
    PumpUntil([&] { return (dialog = ruler.FindOwnWindow(title)) != nullptr; }, 5000);
    ruler.Settle();
    return dialog;
}

bool CloseDialog(const RulerSession& ruler, HWND dialog, int button)
{
    PostMessageW(dialog, WM_COMMAND, static_cast<WPARAM>(button), 0);
    const bool gone = PumpUntil([&] { return !IsWindow(dialog); }, 5000);
    ruler.Settle();
    return gone;
}

LRESULT SendTimed(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL | SMTO_ABORTIFHUNG, 5000, &result)) return 0;
    return static_cast<LRESULT>(result);
}

LRESULT SendItemTimed(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam)
{
    return SendTimed(GetDlgItem(dialog, id), message, wParam, lParam);
}

std::wstring TextOf(HWND window, int id)
{
    wchar_t text[512] = {};
    SendTimed(id ? GetDlgItem(window, id) : window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return text;
}

bool MovePressedUntil(POINT to, POINT nudge, const std::function<bool()>& shown)
{
    for (int i = 0; i < 6; ++i) {
        const int step = i % 2;
        UserInput::MoveTo(to.x + step * nudge.x, to.y + step * nudge.y);
        if (PumpUntil(shown, 500)) return true;
    }
    return false;
}
