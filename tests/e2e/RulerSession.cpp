#include "e2e/RulerSession.h"

#include "shell/TrayIcon.h"

#include "support/RegistryScope.h"
#include "support/TestPaths.h"
#include "support/WineHost.h"

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

// A ruler still running when a test starts was left by a test stopped at its timeout, whose
// session never ended it: every start would hand its command line over to it and end. It is
// ended without "Exit", which would store its options over the ones the new test has set.
void EndLeftoverRuler()
{
    const HWND left = FindRulerStartedElsewhere();
    DWORD pid = 0;
    if (!left || !GetWindowThreadProcessId(left, &pid)) return;
    std::fprintf(stderr, "A ruler left running by an earlier test (process %lu) is ended first\n", pid);
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, pid);
    if (!process) return;
    TerminateProcess(process, 99);
    WaitForSingleObject(process, 10000);
    CloseHandle(process);
}

} // namespace

bool RulerSession::CanStartInLocale()
{
    return UnderWine();
}

RulerSession::RulerSession(const char* unixLocale)
{
    EndLeftoverRuler();
    const std::wstring env = DosPathOf("/usr/bin/env");
    const std::string exe = UnixPathOf(MensuroExePath());
    if (env.empty() || exe.empty()) return;
    wchar_t loader[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"WINELOADER", loader, MAX_PATH)) wcscpy(loader, L"/usr/lib/wine/wine64");
    // A Unix program started from Wine gets the environment given on its command line; the
    // new Wine process it starts joins this Wine session in that locale.
    const std::wstring locale(unixLocale, unixLocale + strlen(unixLocale));
    std::wstring command =
        env + L" LC_ALL=" + locale + L" LANG=" + locale + L" " + loader + L" " + std::wstring(exe.begin(), exe.end());
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started = {};
    // Wine hands back no handles for a Unix program: there are none to close.
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, ExeDirectory().c_str(), &startup,
                        &started))
        return;
    for (int i = 0; i < 300 && !m_window; ++i) {
        m_window = FindRulerStartedElsewhere();
        if (!m_window) Sleep(50);
    }
    if (!m_window) return;
    GetWindowThreadProcessId(m_window, &m_process.dwProcessId);
    m_process.hProcess =
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE, FALSE, m_process.dwProcessId);
    Sync();
}

RulerSession::RulerSession()
{
    EndLeftoverRuler();
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
    Sync();
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

void RulerSession::Sync() const
{
    DWORD_PTR ignored = 0;
    if (m_window) SendMessageTimeoutW(m_window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
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

bool DragFrame(HWND window, POINT from, POINT to, const std::function<bool(POINT at)>& followed)
{
    UserInput::Press(from.x, from.y);
    const int steps = 8;
    bool following = true;
    for (int i = 1; i <= steps && following; ++i) {
        const POINT at = {from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps};
        const RECT before = WindowRectOf(window);
        // The move loop takes each step relative to the last, so a step read off by the window's
        // last move is made good by the next one, but for the last step. Waiting for such a step
        // to land exactly stalled the drag where it was; the last one waits for the display.
        if (i == steps && !PumpUntil([&] {
                const RECT shown = UserInput::DisplayedRect(window);
                return EqualRect(&shown, &before) != FALSE;
            })) {
            const RECT shown = UserInput::DisplayedRect(window);
            std::fprintf(stderr, "the window at %ld,%ld-%ld,%ld was displayed at %ld,%ld-%ld,%ld\n", before.left,
                         before.top, before.right, before.bottom, shown.left, shown.top, shown.right, shown.bottom);
            following = false;
            break;
        }
        UserInput::MoveTo(at.x, at.y);
        following = PumpUntil([&] {
            const RECT now = WindowRectOf(window);
            return followed(at) || (i < steps && EqualRect(&now, &before) == FALSE);
        });
    }
    UserInput::Release(to.x, to.y);
    return following;
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
    return PumpUntil([&] { return ScreenPixel(x, y) == colour; });
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
    PumpUntil([&] { return (dialog = ruler.FindOwnWindow(title)) != nullptr; });
    ruler.Sync();
    return dialog;
}

bool CloseDialog(const RulerSession& ruler, HWND dialog, int button)
{
    PostMessageW(dialog, WM_COMMAND, static_cast<WPARAM>(button), 0);
    const bool gone = PumpUntil([&] { return !IsWindow(dialog); });
    ruler.Sync();
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
