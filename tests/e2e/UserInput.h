#pragma once

#include <windows.h>

#include <initializer_list>

// Input the way a user makes it: real mouse and keyboard events. Under Wine they go through
// the X server, as a real mouse's and keyboard's do; on Windows through SendInput.
namespace UserInput {
// Whether input can be sent here; false under Wine without xdotool, which says why on stderr.
bool Available();
void MoveTo(int x, int y);
void Drag(int fromX, int fromY, int toX, int toY, bool rightButton = false, bool ctrl = false);
// A click or a press where the same button went down at the same place within the double-click
// time waits until that time has passed: the system would make the two a double-click.
void Click(int x, int y, bool rightButton = false);
void DoubleClick(int x, int y, bool rightButton = false);
// A quick hand's second click, sent at once: within the double-click time of the last one at
// the same place, the system makes it the second half of a double-click.
void ClickAgainAtOnce(int x, int y, bool rightButton = false);
// A press or release alone, for checks in the middle of a drag.
void Press(int x, int y, bool rightButton = false);
void Release(int x, int y, bool rightButton = false);
void Key(WORD vk);
// A key held down (Shift, Ctrl) across other input, then let go.
void KeyDown(WORD vk);
// Keys pressed one after the other and held (KeyUp lets go of each), where the active
// window takes them: a hand on Win+Alt+L.
void KeysDown(std::initializer_list<WORD> keys);
void KeyUp(WORD vk);
// Lets go of every button and key still held, as after a test that ended in the middle of a drag.
void ReleaseAll();
// Where the display has a top-level window. Under Wine, the X server's place for its X window:
// the program records a move at once and hands it to the X server a moment later, and input
// the X server reports against the window meanwhile is read against the new place, off by the
// distance moved. Elsewhere the window's rectangle. Empty if it could not be read.
RECT DisplayedRect(HWND window);
} // namespace UserInput
