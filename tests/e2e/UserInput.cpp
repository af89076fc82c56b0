// Real mouse and keyboard events, sent as a user makes them.
//
// Under Wine they go through the X server (XTest, sent by xdotool), where the virtual desktop
// takes them as it takes a real device's: a press lands where it is sent, and buttons and keys
// keep their order. SendInput from another process can hand the program a press or a release
// at the pointer's previous place there. The virtual desktop covers the X screen from its
// corner, so X and Windows screen coordinates are the same. On Windows itself, SendInput is
// the device.
#include "e2e/UserInput.h"

#include "support/WineHost.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

namespace {

const char kXdotool[] = "/usr/bin/xdotool";

// The X key that gives a virtual key; null for keys no test needs.
const char* XKeyOf(WORD vk)
{
    static const char* const kLetters[] = {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m",
                                           "n", "o", "p", "q", "r", "s", "t", "u", "v", "w", "x", "y", "z"};
    static const char* const kDigits[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
    // xdotool holds NumLock around a keypad digit: the press is the digit whatever NumLock's state.
    static const char* const kKeypad[] = {"KP_0", "KP_1", "KP_2", "KP_3", "KP_4",
                                          "KP_5", "KP_6", "KP_7", "KP_8", "KP_9"};
    if (vk >= 'A' && vk <= 'Z') return kLetters[vk - 'A'];
    if (vk >= '0' && vk <= '9') return kDigits[vk - '0'];
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return kKeypad[vk - VK_NUMPAD0];
    static const struct {
        WORD vk;
        const char* key;
    } kNamed[] = {
        {VK_ESCAPE, "Escape"},   {VK_RETURN, "Return"},     {VK_SPACE, "space"},          {VK_TAB, "Tab"},
        {VK_BACK, "BackSpace"},  {VK_LEFT, "Left"},         {VK_RIGHT, "Right"},          {VK_UP, "Up"},
        {VK_DOWN, "Down"},       {VK_INSERT, "Insert"},     {VK_DELETE, "Delete"},        {VK_HOME, "Home"},
        {VK_END, "End"},         {VK_ADD, "KP_Add"},        {VK_SUBTRACT, "KP_Subtract"}, {VK_OEM_PLUS, "equal"},
        {VK_OEM_MINUS, "minus"}, {VK_CONTROL, "Control_L"}, {VK_SHIFT, "Shift_L"},        {VK_MENU, "Alt_L"},
        {VK_LWIN, "Super_L"},
    };
    for (const auto& named : kNamed)
        if (named.vk == vk) return named.key;
    return nullptr;
}

// The X server's device: each gesture is one run of xdotool, which ends once the X server has
// taken every event of it.
class XDevice {
public:
    static XDevice& Get()
    {
        static XDevice device;
        return device;
    }
    bool Found() const { return m_found; }
    void Run(const std::string& script) const
    {
        std::string output;
        if (!RunUnixCommand(std::string(kXdotool) + script, output) || !output.empty())
            std::fprintf(stderr, "xdotool%s: %s\n", script.c_str(), output.empty() ? "did not end" : output.c_str());
    }

private:
    XDevice() : m_found(!DosPathOf(kXdotool).empty()) {}
    bool m_found;
};

// The buttons (VK_LBUTTON, VK_RBUTTON) and keys held down by the tests' input.
std::vector<WORD> g_held;

void Held(WORD vk, bool down)
{
    const auto at = std::find(g_held.begin(), g_held.end(), vk);
    if (down && at == g_held.end()) g_held.push_back(vk);
    if (!down && at != g_held.end()) g_held.erase(at);
}

// One gesture of a hand on the mouse and keyboard, sent whole.
class Gesture {
public:
    Gesture& Move(int x, int y)
    {
        if (m_x) {
            m_script += " mousemove " + std::to_string(x) + " " + std::to_string(y);
        } else {
            const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
            // Rounded up: the system maps back with (d * size) >> 16, which must give x and y exactly.
            m_dx = static_cast<LONG>((x * 65536LL + w - 1) / w);
            m_dy = static_cast<LONG>((y * 65536LL + h - 1) / h);
            AddMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
        }
        m_at = {x, y};
        return *this;
    }
    Gesture& Button(bool right, bool down)
    {
        Held(right ? VK_RBUTTON : VK_LBUTTON, down);
        if (m_x) {
            m_script += std::string(down ? " mousedown " : " mouseup ") + (right ? "3" : "1");
            return *this;
        }
        const DWORD flag = right ? (down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP)
                                 : (down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
        // The button carries its own place, as a device's event does.
        AddMouse(flag | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
        return *this;
    }
    Gesture& Key(WORD vk, bool down)
    {
        Held(vk, down);
        if (m_x) {
            const char* key = XKeyOf(vk);
            if (!key) std::fprintf(stderr, "no X key for virtual key 0x%02X\n", vk);
            m_script += std::string(down ? " keydown " : " keyup ") + (key ? key : "");
            return *this;
        }
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
        m_inputs.push_back(input);
        m_pauses.push_back(20);
        return *this;
    }
    // A key pressed and let go, where the active window takes it.
    Gesture& Tap(WORD vk)
    {
        if (m_x) FocusActiveWindow();
        return Key(vk, true).Key(vk, false);
    }
    // Keys pressed and held, where the active window takes them.
    Gesture& Hold(std::initializer_list<WORD> keys)
    {
        if (m_x) FocusActiveWindow();
        for (WORD vk : keys) Key(vk, true);
        return *this;
    }
    // Time for the program to see the last event before the next, as between a hand's moves.
    Gesture& Pause(int ms)
    {
        if (m_x) {
            char seconds[32];
            std::snprintf(seconds, sizeof(seconds), " sleep %.3f", ms / 1000.0);
            m_script += seconds;
        } else if (!m_pauses.empty()) {
            m_pauses.back() += ms;
        }
        return *this;
    }
    void Send()
    {
        if (m_x) {
            XDevice::Get().Run(m_script);
        } else {
            for (size_t i = 0; i < m_inputs.size(); ++i) {
                SendInput(1, &m_inputs[i], sizeof(INPUT));
                Sleep(m_pauses[i]);
            }
        }
        m_script.clear();
        m_inputs.clear();
        m_pauses.clear();
    }
    // Waits until the system has taken the pointer to where the gesture left it: what comes
    // next from this process (a check, a message) must not race the move.
    void AwaitPointer() const
    {
        POINT p = {};
        for (int i = 0; i < 200 && !(GetCursorPos(&p) && p.x == m_at.x && p.y == m_at.y); ++i) Sleep(10);
        if (p.x != m_at.x || p.y != m_at.y)
            std::fprintf(stderr, "the pointer went to %ld,%ld, not %ld,%ld\n", p.x, p.y, m_at.x, m_at.y);
    }

private:
    void AddMouse(DWORD flags)
    {
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = flags;
        input.mi.dx = m_dx;
        input.mi.dy = m_dy;
        m_inputs.push_back(input);
        m_pauses.push_back(20);
    }

    // The virtual desktop gives no window the X keyboard focus: a key goes to the X window under
    // the pointer, and Wine drops it there when that window's program is not the active one.
    // The focus goes to the active window's X window, as a window manager would give it.
    void FocusActiveWindow()
    {
        const HWND active = GetForegroundWindow();
        const auto xid = reinterpret_cast<ULONG_PTR>(active ? GetPropW(active, L"__wine_x11_whole_window") : nullptr);
        if (xid) m_script += " windowfocus " + std::to_string(xid);
    }

    const bool m_x = UnderWine();
    std::string m_script;
    std::vector<INPUT> m_inputs;
    std::vector<int> m_pauses;
    POINT m_at = {};
    LONG m_dx = 0, m_dy = 0; // m_at as SendInput's absolute coordinates
};

// The last press's button, place and time: a press that follows it too soon at the same place
// would reach programs as the second half of a double-click.
struct LastPress {
    bool right = false;
    POINT at = {-1000, -1000};
    DWORD tick = 0;
};
LastPress g_lastPress;

void WaitOutDoubleClick(int x, int y, bool right)
{
    const LastPress& last = g_lastPress;
    const bool samePlace = std::abs(x - last.at.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
                           std::abs(y - last.at.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    const DWORD since = GetTickCount() - last.tick, wait = GetDoubleClickTime() + 50;
    if (right == last.right && samePlace && since < wait) Sleep(wait - since);
}

void NotePress(int x, int y, bool right)
{
    g_lastPress = {right, {x, y}, GetTickCount()};
}

} // namespace

namespace UserInput {

bool Available()
{
    if (!UnderWine() || XDevice::Get().Found()) return true;
    std::fprintf(stderr,
                 "Under Wine the tests send input through the X server: %s is missing "
                 "(scripts/install-deps.sh installs it).\n",
                 kXdotool);
    return false;
}

void MoveTo(int x, int y)
{
    Gesture gesture;
    gesture.Move(x, y).Send();
    gesture.AwaitPointer();
}

void Drag(int fromX, int fromY, int toX, int toY, bool rightButton, bool ctrl)
{
    WaitOutDoubleClick(fromX, fromY, rightButton);
    NotePress(fromX, fromY, rightButton);
    Gesture gesture;
    gesture.Move(fromX, fromY);
    if (ctrl) gesture.Key(VK_CONTROL, true);
    gesture.Button(rightButton, true).Pause(30);
    const int steps = 8;
    for (int i = 1; i <= steps; ++i)
        gesture.Move(fromX + (toX - fromX) * i / steps, fromY + (toY - fromY) * i / steps).Pause(30);
    gesture.Button(rightButton, false);
    // A hand lets go of Ctrl after the button, not at the same instant.
    if (ctrl) gesture.Pause(100).Key(VK_CONTROL, false);
    gesture.Send();
    gesture.AwaitPointer();
}

void Click(int x, int y, bool rightButton)
{
    WaitOutDoubleClick(x, y, rightButton);
    Gesture gesture;
    gesture.Move(x, y).Button(rightButton, true).Button(rightButton, false).Send();
    gesture.AwaitPointer();
    NotePress(x, y, rightButton);
}

void DoubleClick(int x, int y, bool rightButton)
{
    Gesture gesture;
    gesture.Move(x, y).Button(rightButton, true).Button(rightButton, false).Pause(60);
    gesture.Button(rightButton, true).Button(rightButton, false);
    WaitOutDoubleClick(x, y, rightButton);
    gesture.Send();
    gesture.AwaitPointer();
    NotePress(x, y, rightButton);
}

void ClickAgainAtOnce(int x, int y, bool rightButton)
{
    Gesture gesture;
    gesture.Move(x, y).Button(rightButton, true).Button(rightButton, false).Send();
    gesture.AwaitPointer();
    NotePress(x, y, rightButton);
}

void Press(int x, int y, bool rightButton)
{
    WaitOutDoubleClick(x, y, rightButton);
    Gesture gesture;
    gesture.Move(x, y).Button(rightButton, true).Send();
    gesture.AwaitPointer();
    NotePress(x, y, rightButton);
}

void Release(int x, int y, bool rightButton)
{
    Gesture gesture;
    gesture.Move(x, y).Button(rightButton, false).Send();
    gesture.AwaitPointer();
}

void Key(WORD vk)
{
    Gesture().Tap(vk).Send();
}

void KeyDown(WORD vk)
{
    Gesture().Key(vk, true).Send();
}

void KeysDown(std::initializer_list<WORD> keys)
{
    Gesture().Hold(keys).Send();
}

void KeyUp(WORD vk)
{
    Gesture().Key(vk, false).Send();
}

void ReleaseAll()
{
    const std::vector<WORD> held = g_held;
    if (held.empty()) return;
    Gesture gesture;
    for (WORD vk : held) {
        if (vk == VK_LBUTTON || vk == VK_RBUTTON)
            gesture.Button(vk == VK_RBUTTON, false);
        else
            gesture.Key(vk, false);
    }
    gesture.Send();
}

RECT DisplayedRect(HWND window)
{
    RECT rect = {};
    if (!UnderWine()) {
        GetWindowRect(window, &rect);
        return rect;
    }
    const auto xid = reinterpret_cast<ULONG_PTR>(GetPropW(window, L"__wine_x11_whole_window"));
    std::string output;
    if (!xid || !RunUnixCommand("/usr/bin/xwininfo -id " + std::to_string(xid), output)) return rect;
    // Lines such as "  Absolute upper-left X:  100" and "  Width: 400".
    auto value = [&](const char* label) {
        const size_t at = output.find(label);
        return at == std::string::npos ? -1 : std::atoi(output.c_str() + at + std::strlen(label));
    };
    const int x = value("Absolute upper-left X:"), y = value("Absolute upper-left Y:");
    const int width = value("Width:"), height = value("Height:");
    if (width > 0 && height > 0) rect = {x, y, x + width, y + height};
    return rect;
}

} // namespace UserInput
