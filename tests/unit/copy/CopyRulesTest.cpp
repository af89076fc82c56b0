#include "copy/CopyRules.h"
#include "copy/PictureFormat.h"

#include <gtest/gtest.h>

#include <climits>

TEST(CopyRules, CaptureRectIsTheInnerAreaUnlessTheBarsAreIncluded)
{
    const WindowRect window(100, 100, 500, 400);
    EXPECT_EQ(WindowRect(140, 140, 460, 360), CaptureRect(window, false, 40));
    EXPECT_EQ(window, CaptureRect(window, true, 40));
    // A window no larger than its bars leaves nothing to copy without them.
    EXPECT_TRUE(CaptureRect(WindowRect(0, 0, 80, 300), false, 40).IsEmpty());
    EXPECT_FALSE(CaptureRect(WindowRect(0, 0, 80, 300), true, 40).IsEmpty());
}

TEST(CopyRules, TimerListTextsAndLookup)
{
    const std::vector<int32_t> choices = CopyTimerChoices();
    const std::vector<int32_t> expected = {100,  500,  1000, 2000,  3000,  4000,  5000, 6000,
                                           7000, 8000, 9000, 10000, 15000, 20000, 30000};
    EXPECT_EQ(expected, choices);

    EXPECT_EQ(L"0.1 sec", TimerChoiceText(100, L"%d sec", L"%.1f sec"));
    EXPECT_EQ(L"10 sec", TimerChoiceText(10000, L"%d sec", L"%.1f sec"));
    EXPECT_EQ(L"0.5 \u79d2", TimerChoiceText(500, L"%d \u79d2", L"%.1f \u79d2")); // 秒
    EXPECT_EQ(L"30 \u79d2", TimerChoiceText(30000, L"%d \u79d2", L"%.1f \u79d2"));

    EXPECT_EQ(0, TimerChoiceIndex(choices, 100));
    EXPECT_EQ(2, TimerChoiceIndex(choices, 1000));
    EXPECT_EQ(14, TimerChoiceIndex(choices, 30000));
    // Delays the list lacks show as its first entry.
    EXPECT_EQ(0, TimerChoiceIndex(choices, 2500));
    EXPECT_EQ(0, TimerChoiceIndex(choices, -1));
}

TEST(CopyRules, UpDownStepsAreSubtractedAndStayWithinTheOffsetRange)
{
    EXPECT_EQ(6, SteppedOffset(5, -1)); // right arrow: the default range reports -1
    EXPECT_EQ(4, SteppedOffset(5, 1));
    EXPECT_EQ(200, SteppedOffset(200, -1));
    EXPECT_EQ(-200, SteppedOffset(-200, 1));
    EXPECT_EQ(200, SteppedOffset(INT_MAX, INT_MIN));
    EXPECT_EQ(-200, SteppedOffset(INT_MIN, INT_MAX));
}

TEST(CopyRules, SettingsRoundTripAndTouchOnlyTheCopyBits)
{
    RulerOptions options;
    options.Option = 0x0FF | OptCopyScale | OptCopyMeasure; // everything but the cursor and message bits
    options.CopyTimer = 2500;
    options.CopyOffsetX = -3;
    options.CopyOffsetY = 7;
    CopySettings settings = CopySettingsOf(options);
    EXPECT_EQ(0, settings.includeCursor);
    EXPECT_EQ(1, settings.includeScale);
    EXPECT_EQ(0, settings.showMessage);
    EXPECT_EQ(1, settings.includeMeasure);
    EXPECT_EQ(2500, settings.timer);
    EXPECT_EQ(-3, settings.offsetX);
    EXPECT_EQ(7, settings.offsetY);

    settings.includeCursor = 1;
    settings.includeScale = 0;
    settings.showMessage = 1;
    settings.includeMeasure = 0;
    settings.timer = 30000;
    settings.offsetX = 200;
    settings.offsetY = -200;
    ApplyCopySettings(settings, options);
    EXPECT_EQ(0x0FFu | OptCopyCursor | OptCopyMessage, options.Option);
    EXPECT_EQ(30000, options.CopyTimer);
    EXPECT_EQ(200, options.CopyOffsetX);
    EXPECT_EQ(-200, options.CopyOffsetY);
}

TEST(CopyRules, DefaultPictureNameIsTheLocalTimeInFixedWidthFields)
{
    EXPECT_EQ(L"Mensuro-20260307-090502.png", DefaultPictureName(2026, 3, 7, 9, 5, 2));
    EXPECT_EQ(L"Mensuro-19991231-235959.png", DefaultPictureName(1999, 12, 31, 23, 59, 59));
}

TEST(CopyRules, ASavedPictureTakesTheTypeItsExtensionNamesOrGetsTheChosenOne)
{
    const struct {
        const wchar_t* path;
        std::optional<PictureFormat> format; // what the name alone says
        const wchar_t* fromDialog;           // with the dialog's type PNG
    } cases[] = {
        {L"C:\\Pictures\\Shot.PnG", PictureFormat::Png, L"C:\\Pictures\\Shot.PnG"},
        {L"shot.BMP", PictureFormat::Bmp, L"shot.BMP"},
        {L"shot.JPEG", PictureFormat::Jpeg, L"shot.JPEG"},
        {L"shot.tiff", PictureFormat::Tiff, L"shot.tiff"},
        {L"shot.pngx", std::nullopt, L"shot.pngx.png"},
        {L"C:\\x.png\\shot", std::nullopt, L"C:\\x.png\\shot.png"}, // a folder's dot is no extension
        {L"C:\\x\\.png", std::nullopt, L"C:\\x\\.png.png"},         // nor a name's leading dot
        {L"png", std::nullopt, L"png.png"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.format, PictureFormatOf(c.path)) << c.path;
        EXPECT_EQ(c.fromDialog, WithPictureExtension(c.path, PictureFormat::Png)) << c.path;
    }
    EXPECT_EQ(L".gif", ExtensionOf(L"C:\\a.b\\shot.gif"));
    EXPECT_EQ(L"shot.tif", WithPictureExtension(L"shot", PictureFormat::Tiff)) << "the dialog's type";
}
