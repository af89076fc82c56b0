#pragma once

#include <string>

// The folder of the running test program (the programs under test are built beside it).
std::wstring ExeDirectory();
std::wstring MensuroExePath();
