#pragma once

#include <windows.h>

#include "e2e/SolidWindow.h"
#include "e2e/UserInput.h"
#include "support/ScreenProbe.h"

#include <functional>
#include <string>
#include <vector>

// One run of the real Mensuro.exe, driven from outside as a user would.
class RulerSession {
public:
    // Starts the program and waits until its window is on screen.
    RulerSession();
    // Whether another user-interface language can be started here (only under Wine).
    static bool CanStartInLocale();
    // Starts it as a user of another language does: under Wine, in a Unix locale such as
    // "ja_JP.UTF-8", which sets its user-interface language and ANSI code page. Started() is
    // false where that cannot be done (not under Wine).
    explicit RulerSession(const char* unixLocale);
    // Ends the program through "Exit" if it still runs.
    ~RulerSession();
    RulerSession(const RulerSession&) = delete;
    RulerSession& operator=(const RulerSession&) = delete;

    bool Started() const { return m_window != nullptr; }
    HWND Window() const { return m_window; }
    DWORD ProcessId() const { return m_process.dwProcessId; }
    RECT Rect() const;
    bool Running() const;
    // Three round trips to the program with pauses: time for a picture to settle (the guide's
    // pictures); no proof that anything sent has been handled.
    void Settle() const;
    // One round trip to the ruler's thread. It returns once the thread is back in a message
    // loop, so a handler whose effect has been seen has finished (or opened a loop of its own,
    // as a message box does). Input and posted messages not yet seen to act may still wait:
    // for those, wait for what they do.
    void Sync() const;
    // The program's own "Exit" command; returns its exit code (or STILL_ACTIVE on a hang).
    DWORD Exit();
    // A top-level window of the program with this title, other than the ruler.
    HWND FindOwnWindow(const wchar_t* title) const;
    // A message box of the program: titled with its name, like the ruler, but not the ruler.
    HWND FindMessageBox() const;

private:
    PROCESS_INFORMATION m_process = {};
    HWND m_window = nullptr;
};

// How long a check waits for the program to show what it was asked for. Long enough for a
// machine busy with other work (a dialog has taken over 3 s to open there); only a failing
// check waits it out.
constexpr DWORD kPatienceMs = 10000;

// Handles this thread's window messages until done() holds or timeoutMs has passed; returns done().
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = kPatienceMs);

// A left-button drag of a window's frame, to move or resize it, in steps, each sent once the window
// has moved with the last. Under Wine's virtual desktop the X server gives the pointer relative to
// the window's corner, and the program reads it against its own record of the window's place,
// which changes a moment before the X server has the window there: a step sent in between lands
// off by the distance the window has just moved (on a busy machine a drag of 150 pixels moved the
// ruler 169). The last step is sent once the display has the window where the program has it, and
// `followed(at)` must then tell that the window followed the pointer to `at`. False if it did not.
bool DragFrame(HWND window, POINT from, POINT to, const std::function<bool(POINT at)>& followed);

// A first start of the ruler at `window` (screen coordinates): the options are cleared and
// only the window rectangle is stored.
void StartAfreshAt(const RECT& window);

// Shared checks of the end-to-end tests.
RECT WindowRectOf(HWND window);
std::string Hex(COLORREF c);
// Handles this process's windows while waiting until the screen pixel shows the colour.
bool WaitForPixel(int x, int y, COLORREF colour);
// EXPECT_EQ for a value the program changes in its own time: waits until `actual` equals
// `expected` (at most kPatienceMs), then compares, so that a failure shows the last value read.
// A message can follow with <<, as after EXPECT_EQ.
#define EXPECT_SOON_EQ(expected, actual)                                                                               \
    switch (0)                                                                                                         \
    case 0:                                                                                                            \
    default:                                                                                                           \
        if (const auto soonExpected = (expected); !PumpUntil([&] { return soonExpected == (actual); }) && false)       \
            ;                                                                                                          \
        else                                                                                                           \
            EXPECT_EQ(soonExpected, (actual))
// A visible top-level window of the process with that class, other than exclude.
HWND WindowOfProcess(DWORD pid, const wchar_t* className, HWND exclude = nullptr);
HWND ContextMenuOf(const RulerSession& ruler);
// A dialog or message box of the program other than the ruler.
HWND MessageBoxOf(const RulerSession& ruler);
bool HasChildText(HWND parent, const wchar_t* part);
// A picture of a window once it has stopped changing (a menu paints after it shows).
ScreenShot SteadyShotOf(HWND window);
// Whether the notification area holds the ruler's icon: the shell accepts a change only to an
// icon it shows.
bool TrayIconShown(const RulerSession& ruler);
// Chooses the command of an open context menu of the ruler (its window of class "#32768") with
// the keyboard, as a user does: the arrow keys to the item, Enter. The item's place is read from
// the program's own menu resource, so that items added there need nothing here. (Another
// process's menu handle cannot be asked where its items are.) Each key is seen to move the
// highlight before the next is sent; true once every menu window has closed.
bool ChooseMenuCommand(HWND menuWindow, UINT command);
// Closes an open menu with Esc; true once it has gone.
bool CloseMenu(HWND menuWindow);
// Opens the ruler's context menu with one right click at a screen point; its window, or null.
HWND OpenContextMenu(const RulerSession& ruler, int x, int y);
// A dialog of the program opened by one of the ruler's commands, found by its title;
// null if it did not open.
HWND OpenDialog(const RulerSession& ruler, UINT command, const wchar_t* title);
// Ends a dialog with a button's command; true once it is gone and the ruler has caught up.
bool CloseDialog(const RulerSession& ruler, HWND dialog, int button);
// SendMessage to another process's window that gives up after some seconds (returning 0)
// instead of hanging the test when the program does not answer.
LRESULT SendTimed(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
LRESULT SendItemTimed(HWND dialog, int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// The text of another process's window or control: it answers WM_GETTEXT, while
// GetWindowText reads only captions across processes. `id` 0 means the window itself.
std::wstring TextOf(HWND window, int id = 0);
// Answers a message box by clicking one of its buttons; true once the box is gone.
bool Answer(HWND box, int buttonId);

// Pixels of the ruler window, addressed in its client coordinates (client = window).
class ClientShot {
public:
    explicit ClientShot(const RECT& window)
        : m_left(window.left), m_top(window.top),
          m_shot(window.left, window.top, window.right - window.left, window.bottom - window.top)
    {
    }
    COLORREF At(int x, int y) const { return m_shot.At(m_left + x, m_top + y); }

private:
    int m_left, m_top;
    ScreenShot m_shot;
};
