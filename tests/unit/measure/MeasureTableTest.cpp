#include "measure/MeasureTable.h"

#include <gtest/gtest.h>

namespace {

Measurement Make(MeasureKind kind, WindowRect inclusive, MeasurePoint from, MeasurePoint to = {},
                 MeasurePoint third = {})
{
    Measurement m;
    m.kind = kind;
    m.left = inclusive.left, m.top = inclusive.top, m.right = inclusive.right, m.bottom = inclusive.bottom;
    m.from = from, m.to = to, m.third = third;
    return m;
}

const std::vector<Measurement> kItems = {
    Make(MeasureKind::Spacing, {100, 50, 299, 149}, {150, 100}),
    Make(MeasureKind::Horizontal, {-300, 120, -101, 120}, {-200, 120}),
    Make(MeasureKind::Vertical, {150, 50, 150, 149}, {150, 100}),
    Make(MeasureKind::Box, {10, 20, 209, 29}, {}),
    Make(MeasureKind::Line, {}, {100, 300}, {140, 270}),
    Make(MeasureKind::Angle, {}, {0, 0}, {30, -40}, {-10, 0}),
};

} // namespace

TEST(MeasureTable, RowsInPixelsAndInAnotherUnit)
{
    const auto pixels = [](const Measurement&) { return std::make_pair(UnitAxis(), UnitAxis()); };
    EXPECT_EQ(L"Kind\tX (px)\tY (px)\tWidth (px)\tHeight (px)\tLength (px)\tAngle (\u00B0)\r\n"
              L"Spacing\t100\t50\t200\t100\t\t\r\n"
              L"Horizontal\t-300\t120\t200\t\t\t\r\n"
              L"Vertical\t150\t50\t\t100\t\t\r\n"
              L"Box\t10\t20\t200\t10\t\t\r\n"
              L"Line\t100\t300\t40\t30\t50.0\t36.9\r\n"
              L"Angle\t0\t0\t\t\t50.0\t126.9\r\n",
              MeasureTableText(kItems, pixels));

    // 4 px per mm on the first monitor, 2 on the second; the labels in the user's language.
    const auto mm = [](const Measurement& m) {
        const ScreenBasis basis{96, m.monitor == 1 ? 2000.0 : 4000.0};
        return std::make_pair(UnitAxis(Unit::Millimetres, basis, 400), UnitAxis(Unit::Millimetres, basis, 300));
    };
    std::vector<Measurement> two = {kItems[4], kItems[1]};
    two[1].monitor = 1;
    const MeasureTableLabels german = MeasureTableLabelsFrom(L"\t\tVertikal\t\tLinie\t\tArt\tBreite\t\tL\u00E4nge");
    EXPECT_EQ(L"Art\tX (px)\tY (px)\tBreite (mm)\tHeight (mm)\tL\u00E4nge (mm)\tAngle (\u00B0)"
              L"\tBreite (px)\tHeight (px)\tL\u00E4nge (px)\r\n"
              L"Linie\t100\t300\t10.0\t7.5\t12.5\t36.9\t40\t30\t50.0\r\n"
              L"Horizontal\t-300\t120\t100.0\t\t\t\t200\t\t\r\n",
              MeasureTableText(two, mm, german));

    // A line down and a pixel to the left, in percent of a wide monitor: signed, and a zero
    // that rounds from below without its sign.
    const auto percent = [](const Measurement&) {
        const ScreenBasis basis{96, 4000};
        return std::make_pair(UnitAxis(Unit::Percent, basis, 4000), UnitAxis(Unit::Percent, basis, 3000));
    };
    const std::wstring steep = MeasureTableText({Make(MeasureKind::Line, {}, {0, 0}, {-1, 300})}, percent);
    EXPECT_EQ(L"Line\t0\t0\t0.0\t-10.0\t10.0\t-90.2\t-1\t-300\t300.0\r\n", steep.substr(steep.find(L"\n") + 1));
}
