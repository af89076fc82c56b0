#pragma once

#include <windows.h>

// Input the way a user makes it: real mouse and keyboard events.
namespace UserInput {
void MoveTo(int x, int y);
void Drag(int fromX, int fromY, int toX, int toY, bool rightButton = false, bool ctrl = false);
void Click(int x, int y, bool rightButton = false);
void DoubleClick(int x, int y);
// A press or release alone, for checks in the middle of a drag.
void Press(int x, int y, bool rightButton = false);
void Release(int x, int y, bool rightButton = false);
void Key(WORD vk);
} // namespace UserInput
