// The screen's physical scale: EDID blocks, the order of the sources, the user's calibration.
#include "measure/Calibration.h"
#include "measure/ScreenScale.h"
#include "support/MemoryProfile.h"

#include <gtest/gtest.h>

namespace {

// A 128-byte base block: basic size in cm, and a first descriptor that is a timing with
// the given image size in mm (or a display descriptor when `timing` is false).
std::vector<uint8_t> EdidBlock(int basicWidthCm, int basicHeightCm, int widthMm, int heightMm, bool timing = true)
{
    std::vector<uint8_t> block(128, 0);
    for (int i = 1; i < 7; ++i) block[i] = 0xFF;
    block[21] = static_cast<uint8_t>(basicWidthCm);
    block[22] = static_cast<uint8_t>(basicHeightCm);
    if (timing) {
        block[54] = 0x02; // 148.5 MHz
        block[55] = 0x3A;
    }
    block[66] = static_cast<uint8_t>(widthMm & 0xFF);
    block[67] = static_cast<uint8_t>(heightMm & 0xFF);
    block[68] = static_cast<uint8_t>(((widthMm >> 8) << 4) | (heightMm >> 8));
    return block;
}

std::optional<EdidSize> SizeOf(const std::vector<uint8_t>& block)
{
    return EdidImageSize(block.data(), block.size());
}

} // namespace

TEST(ScreenScale, EdidGivesTheDetailedSizeElseTheBasicOne)
{
    const struct {
        std::vector<uint8_t> block;
        int32_t widthMm, heightMm; // 0: nothing
        const char* what;
    } cases[] = {
        {EdidBlock(53, 30, 527, 296), 527, 296, "detailed, agreeing with the basic size"},
        {EdidBlock(121, 68, 1210, 680), 1210, 680, "detailed, with the high nibbles"},
        {EdidBlock(0, 0, 344, 194), 344, 194, "detailed without a basic size"},
        {EdidBlock(53, 30, 52, 29), 530, 300, "detailed in centimetres: the basic size"},
        {EdidBlock(34, 19, 0, 0), 340, 190, "detailed size unknown: the basic size"},
        {EdidBlock(34, 19, 16, 9, false), 340, 190, "a display descriptor first: the basic size"},
        {EdidBlock(0x4F, 0, 0, 0), 0, 0, "the basic bytes hold an aspect ratio"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<EdidSize> size = SizeOf(c.block);
        ASSERT_EQ(c.widthMm != 0, size.has_value());
        if (!size) continue;
        EXPECT_EQ(c.widthMm, size->widthMm);
        EXPECT_EQ(c.heightMm, size->heightMm);
    }

    const std::vector<uint8_t> block = EdidBlock(53, 30, 527, 296);
    EXPECT_FALSE(EdidImageSize(block.data(), 127)) << "short";
    std::vector<uint8_t> garbage(256);
    for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<uint8_t>(i * 37 + 11);
    EXPECT_FALSE(SizeOf(garbage));
    EXPECT_FALSE(EdidImageSize(nullptr, 128));
}

TEST(ScreenScale, SourcesAreTriedCalibrationEdidSystemAssumed)
{
    ScaleEvidence e;
    e.calibration = 5000;
    e.widthPx = 1920;
    e.heightPx = 1080;
    e.edid = EdidSize{480, 270}; // 4000 per metre both ways
    e.systemWidthMm = 640;       // 3000 across, 3600 down
    e.systemHeightMm = 300;
    const auto expect = [&](ScaleSource source, double pixelsPerMetre, const char* what) {
        const ScreenScale scale = ChooseScreenScale(e);
        EXPECT_EQ(source, scale.source) << what;
        EXPECT_NEAR(pixelsPerMetre, scale.pixelsPerMetre, 1e-9) << what;
    };
    expect(ScaleSource::Calibration, 5000, "a calibration first");
    e.calibration = 100001;
    expect(ScaleSource::Edid, 4000, "then the EDID, past a calibration out of range");
    e.edid = EdidSize{1, 1};
    expect(ScaleSource::System, 3300, "then the system's size, the mean of both axes, past an absurd EDID");
    e.systemHeightMm = 0;
    expect(ScaleSource::System, 3000, "one axis where the other is unknown");
    e.widthPx = e.heightPx = 0;
    expect(ScaleSource::Assumed, 96 / 0.0254, "no pixels known: 96 pixels per inch");
    EXPECT_EQ(L"3780 px/m (96.0 px/in)", ScaleFigures(kAssumedPixelsPerMetre));
}

TEST(ScreenScale, AMonitorTurnedToPortraitPairsItsLongerSidesForEitherSource)
{
    // A 1920 x 1080 panel of 480 x 270 mm turned to portrait: 4000 pixels per metre both ways,
    // from the EDID's size as built and from the system's size either way round.
    for (const ScaleEvidence& e :
         {ScaleEvidence{0, 1080, 1920, EdidSize{480, 270}, 0, 0}, ScaleEvidence{0, 1080, 1920, std::nullopt, 480, 270},
          ScaleEvidence{0, 1080, 1920, std::nullopt, 270, 480}}) {
        EXPECT_EQ(e.edid ? ScaleSource::Edid : ScaleSource::System, ChooseScreenScale(e).source);
        EXPECT_NEAR(4000, ChooseScreenScale(e).pixelsPerMetre, 1e-9) << e.systemWidthMm;
    }
}

TEST(Calibration, TypedLengthGivesTheScaleOrSaysWhatIsWrong)
{
    const struct {
        const wchar_t* text;
        LengthUnit unit;
        int32_t innerWidth;
        CalibrationError error;
        int32_t pixelsPerMetre;
    } cases[] = {
        {L"100", LengthUnit::Millimetres, 378, CalibrationError::None, 3780},
        {L"10", LengthUnit::Centimetres, 378, CalibrationError::None, 3780},
        {L"3.937", LengthUnit::Inches, 378, CalibrationError::None, 3780},
        {L" 85,60 ", LengthUnit::Millimetres, 324, CalibrationError::None, 3785},
        {L"\uFF18\uFF15\uFF0E\uFF16", LengthUnit::Millimetres, 324, CalibrationError::None, 3785}, // full width
        {L"", LengthUnit::Millimetres, 378, CalibrationError::Empty, 0},
        {L"abc", LengthUnit::Millimetres, 378, CalibrationError::NotANumber, 0},
        {L"12 mm", LengthUnit::Millimetres, 378, CalibrationError::NotANumber, 0},
        {L"0", LengthUnit::Millimetres, 378, CalibrationError::Zero, 0},
        {L"-85.6", LengthUnit::Millimetres, 378, CalibrationError::Negative, 0},
        {L"0.001", LengthUnit::Millimetres, 378, CalibrationError::OutOfRange, 0}, // 378 000 000 per metre
        {L"4", LengthUnit::Inches, 10, CalibrationError::OutOfRange, 0},           // 98.4 per metre
        {L"10000", LengthUnit::Millimetres, 378, CalibrationError::OutOfRange, 0}, // 37.8 per metre
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.text);
        const Calibration result = CalibrationFromLength(c.text, c.unit, c.innerWidth);
        EXPECT_EQ(c.error, result.error);
        EXPECT_EQ(c.pixelsPerMetre, result.pixelsPerMetre);
    }
}

TEST(Calibration, StoredPerMonitorAndIgnoredOutsideTheRange)
{
    MemoryProfile store;
    const std::wstring first = L"\\\\.\\DISPLAY1", second = L"\\\\.\\DISPLAY2";
    EXPECT_TRUE(WriteCalibration(store, first, 3780));
    EXPECT_EQ("3780", store.values["Calibration"]["\\\\.\\DISPLAY1"]);
    EXPECT_EQ(3780, ReadCalibration(store, first));
    EXPECT_EQ(0, ReadCalibration(store, second)) << "each monitor its own";
    EXPECT_FALSE(WriteCalibration(store, second, 99));
    for (const char* stored : {"99", "100001", "-3780"}) {
        store.values["Calibration"]["\\\\.\\DISPLAY2"] = stored;
        EXPECT_EQ(0, ReadCalibration(store, second)) << stored;
    }
    EXPECT_TRUE(ForgetCalibration(store, first));
    EXPECT_EQ(0, ReadCalibration(store, first));
}
