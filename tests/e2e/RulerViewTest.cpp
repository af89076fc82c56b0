// The visible ruler: pixels on screen, shape, moving, resizing and targeting.
#include "e2e/RulerSession.h"
#include "support/RegistryScope.h"
#include "support/ScreenProbe.h"

#include <gtest/gtest.h>
