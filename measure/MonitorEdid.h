#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

// The EDID block Windows keeps for the monitor shown on an adapter (`adapter` is the
// device name GetMonitorInfo gives, "\\.\DISPLAY1"), read through SetupAPI from the
// monitor's device registry key. Empty when no active monitor there has one, as in a
// remote session or a virtual machine.
std::vector<uint8_t> ReadMonitorEdid(const wchar_t* adapter);
