#include "measure/MeasurementTable.h"

#include <gtest/gtest.h>

TEST(MeasurementTable, HeaderSizesThenLinesInOrderWithTheirGaps)
{
    // 4 px per mm; an inner area of 400 x 200 px.
    const ScreenBasis screen{96, 4000};
    const UnitAxis x(Unit::Millimetres, screen, 400), y(Unit::Millimetres, screen, 200);
    // Lines in any order; those at or beyond the area's extent and before it get no row.
    EXPECT_EQ(L"\tValue (mm)\tValue (px)\tGap (mm)\tGap (px)\r\n"
              L"Width\t100.0\t400\r\n"
              L"Height\t50.0\t200\r\n"
              L"X 1\t10.0\t40\t10.0\t40\r\n"
              L"X 2\t10.0\t40\t0.0\t0\r\n"
              L"X 3\t50.0\t200\t40.0\t160\r\n"
              L"X End\t100.0\t400\t50.0\t200\r\n"
              L"Y 1\t25.0\t100\t25.0\t100\r\n"
              L"Y End\t50.0\t200\t25.0\t100\r\n",
              MeasurementTable(x, y, {200, 400, 40, 500, 40, -4}, {100, 200}));

    // In Pixels the unit's columns are not repeated; the labels come in the user's language.
    const MeasurementLabels japanese =
        MeasurementLabelsFrom(L"\u5E45\t\u9AD8\u3055\tX\tY\t\u5024\t\u9593\u9694\t\u7D42\u7AEF"); // 幅 高さ X Y 値 間隔 終端
    EXPECT_EQ(L"\t\u5024 (px)\t\u9593\u9694 (px)\r\n"
              L"\u5E45\t320\r\n"
              L"\u9AD8\u3055\t240\r\n"
              L"X 1\t0\t0\r\n"
              L"X 2\t319\t319\r\n"
              L"X \u7D42\u7AEF\t320\t1\r\n",
              MeasurementTable(UnitAxis(Unit::Pixels, screen, 320), UnitAxis(Unit::Pixels, screen, 240), {319, 0}, {},
                               japanese));

    const MeasurementLabels partial = MeasurementLabelsFrom(L"Breite\t\tX");
    EXPECT_EQ(L"Breite", partial.width);
    EXPECT_EQ(L"Height", partial.height) << "an empty field stays English";
    EXPECT_EQ(L"Gap", partial.gap) << "so does a missing one";
    EXPECT_EQ(L"End", partial.end);
}
