// The visible ruler: pixels on screen, shape, moving, resizing and targeting.
#include "e2e/RulerSession.h"
#include "support/RegistryScope.h"
#include "support/ScreenProbe.h"

#include <gtest/gtest.h>

#include <cstdio>
TEST(RulerViewExplore, Dump)
{
    MensuroRegistry().Clear();
    auto reg = MensuroRegistry();
    reg.SetDword("CMensuroDlg", "LEFT", 100);
    reg.SetDword("CMensuroDlg", "TOP", 100);
    reg.SetDword("CMensuroDlg", "RIGHT", 500);
    reg.SetDword("CMensuroDlg", "BOTTOM", 400);
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    Sleep(500);
    ScreenShot shot(90, 90, 420, 320);
    FILE* f = fopen("Z:\\tmp\\dump.ppm", "wb");
    fprintf(f, "P6 420 320 255\n");
    for (int y = 90; y < 410; ++y)
        for (int x = 90; x < 510; ++x) {
            COLORREF c = shot.At(x, y);
            fputc(GetRValue(c), f); fputc(GetGValue(c), f); fputc(GetBValue(c), f);
        }
    fclose(f);
    MensuroRegistry().Clear();
}
