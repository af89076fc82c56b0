#include "measure/MeasureTable.h"

#include <gtest/gtest.h>

namespace {

Measurement Make(MeasureKind kind, WindowRect inclusive, MeasurePoint from, MeasurePoint to = {},
                 MeasurePoint third = {}, int32_t monitor = 0)
{
    return {kind, inclusive.left, inclusive.top, inclusive.right, inclusive.bottom, from, to, third, monitor};
}

// Millimetres at 4 px per mm on monitor 0 and 2 on monitor 1; percent of a 4000 x 3000 monitor on 2.
std::pair<UnitAxis, UnitAxis> AxesOf(const Measurement& m)
{
    const ScreenBasis basis{96, m.monitor == 1 ? 2000.0 : 4000.0};
    const Unit unit = m.monitor == 2 ? Unit::Percent : Unit::Millimetres;
    return {UnitAxis(unit, basis, 4000), UnitAxis(unit, basis, 3000)};
}

} // namespace

TEST(MeasureTable, RowsInPixelsAndInAnotherUnit)
{
    const std::vector<Measurement> items = {
        Make(MeasureKind::Spacing, {100, 50, 299, 149}, {150, 100}),
        Make(MeasureKind::Horizontal, {-300, 120, -101, 120}, {-200, 120}, {}, {}, 1),
        Make(MeasureKind::Vertical, {150, 50, 150, 149}, {150, 100}),
        Make(MeasureKind::Box, {10, 20, 209, 29}, {}),
        Make(MeasureKind::Line, {}, {100, 300}, {140, 270}),
        Make(MeasureKind::Angle, {}, {0, 0}, {30, -40}, {-10, 0}),
    };
    const auto pixels = [](const Measurement&) { return std::make_pair(UnitAxis(), UnitAxis()); };
    EXPECT_EQ(L"Kind\tX (px)\tY (px)\tWidth (px)\tHeight (px)\tLength (px)\tAngle (\u00B0)\r\n"
              L"Spacing\t100\t50\t200\t100\t\t\r\n"
              L"Horizontal\t-300\t120\t200\t\t\t\r\n"
              L"Vertical\t150\t50\t\t100\t\t\r\n"
              L"Box\t10\t20\t200\t10\t\t\r\n"
              L"Line\t100\t300\t40\t30\t50.0\t36.9\r\n"
              L"Angle\t0\t0\t\t\t50.0\t126.9\r\n",
              MeasureTableText(items, pixels));

    // Each row in its monitor's scale; the labels in the user's language, missing ones English.
    const MeasureTableLabels german = MeasureTableLabelsFrom(L"\t\tVertikal\t\tLinie\t\tArt\tBreite\t\tL\u00E4nge");
    EXPECT_EQ(L"Art\tX (px)\tY (px)\tBreite (mm)\tHeight (mm)\tL\u00E4nge (mm)\tAngle (\u00B0)"
              L"\tBreite (px)\tHeight (px)\tL\u00E4nge (px)\r\n"
              L"Linie\t100\t300\t10.0\t7.5\t12.5\t36.9\t40\t30\t50.0\r\n"
              L"Horizontal\t-300\t120\t100.0\t\t\t\t200\t\t\r\n",
              MeasureTableText({items[4], items[1]}, AxesOf, german));

    // A line down and a pixel left, in percent: signed, and a zero rounded from below without its sign.
    const std::wstring steep = MeasureTableText({Make(MeasureKind::Line, {}, {0, 0}, {-1, 300}, {}, 2)}, AxesOf);
    EXPECT_EQ(L"Line\t0\t0\t0.0\t-10.0\t10.0\t-90.2\t-1\t-300\t300.0\r\n", steep.substr(steep.find(L'\n') + 1));
}
