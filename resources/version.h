// The program's version, in the one place the version resource and the release
// package take it from.
#pragma once

#define MENSURO_VERSION_MAJOR 1
#define MENSURO_VERSION_MINOR 1
#define MENSURO_VERSION_PATCH 0
#define MENSURO_VERSION_STRING "1.1.0"
