#include "app/CommandLine.h"

#include <gtest/gtest.h>

using Args = std::vector<std::wstring>;

TEST(CommandLine, SplitsAsCommandLineToArgvWDoes)
{
    const struct {
        const wchar_t* whole;
        Args args;
    } cases[] = {
        {L"Mensuro.exe", {L"Mensuro.exe"}},
        {L"Mensuro.exe \t /copy  ", {L"Mensuro.exe", L"/copy"}},
        {LR"("C:\Program Files\Mensuro.exe" /save "C:\My Shots\a b.png")",
         {LR"(C:\Program Files\Mensuro.exe)", L"/save", LR"(C:\My Shots\a b.png)"}},
        // The program's name knows no escapes; a quote ends it.
        {LR"("C:\dir\" /show)", {LR"(C:\dir\)", L"/show"}},
        {LR"("C:\a b\m.exe"x y)", {LR"(C:\a b\m.exe)", L"x", L"y"}},
        {LR"(m a\b\\c)", {L"m", LR"(a\b\\c)"}},
        {LR"(m a\\\"b c)", {L"m", LR"(a\"b)", L"c"}},
        {LR"(m "a\\" b)", {L"m", LR"(a\)", L"b"}},
        {LR"(m "a\\\" b")", {L"m", LR"(a\" b)"}},
        {LR"(m a"b c"d e)", {L"m", L"ab cd", L"e"}},
        {LR"(m "a""b c")", {L"m", LR"(a"b)", L"c"}},
        {LR"(m """a b""")", {L"m", LR"("a)", LR"(b")"}},
        {LR"(m "" x)", {L"m", L"", L"x"}},
        {LR"(m "unclosed group)", {L"m", L"unclosed group"}},
    };
    for (const auto& c : cases) EXPECT_EQ(c.args, SplitCommandLine(c.whole)) << c.whole;
}

TEST(CommandLine, ParsesEverySwitchInEitherFormAndCase)
{
    const struct {
        const wchar_t* whole;
        StartCommand command;
        const wchar_t* file;
        const wchar_t* wrong = L""; // what the usage names first
    } cases[] = {
        {L"Mensuro.exe", StartCommand::Run, L""},
        {L"Mensuro.exe /show", StartCommand::Show, L""},
        {L"Mensuro.exe -SHOW", StartCommand::Show, L""},
        {L"Mensuro.exe /Copy", StartCommand::Copy, L""},
        {L"Mensuro.exe -exit", StartCommand::Exit, L""},
        {L"Mensuro.exe /?", StartCommand::Help, L""},
        {L"Mensuro.exe \"/show\"", StartCommand::Show, L""},
        {L"Mensuro.exe /save shot.png", StartCommand::Save, L"shot.png"},
        {L"\"C:\\Program Files\\Mensuro.exe\" -Save \"C:\\My Shots\\a b.png\"", StartCommand::Save,
         L"C:\\My Shots\\a b.png"},
        {L"Mensuro.exe /save -copy", StartCommand::Save, L"-copy"},
        // Unknown, incomplete or more than one switch.
        {L"Mensuro.exe /save", StartCommand::Invalid, L""},
        {L"Mensuro.exe /save \"\"", StartCommand::Invalid, L""},
        {L"Mensuro.exe /save a.png b.png", StartCommand::Invalid, L"", L"b.png"},
        {L"Mensuro.exe /shows", StartCommand::Invalid, L"", L"/shows"},
        {L"Mensuro.exe show", StartCommand::Invalid, L"", L"show"},
        {L"Mensuro.exe /", StartCommand::Invalid, L"", L"/"},
        {L"Mensuro.exe /show /copy", StartCommand::Invalid, L"", L"/copy"},
        {L"Mensuro.exe /? x", StartCommand::Invalid, L"", L"x"},
    };
    for (const auto& c : cases) {
        const CommandLine parsed = ParseCommandLine(c.whole);
        EXPECT_EQ(c.command, parsed.command) << c.whole;
        EXPECT_EQ(c.file, parsed.file) << c.whole;
        EXPECT_EQ(c.wrong, parsed.wrong) << c.whole;
    }
}

TEST(CommandLine, HandOverCarriesTheCommandsARunningRulerTakes)
{
    const CommandLine commands[] = {
        {StartCommand::Run, L"", {}},
        {StartCommand::Show, L"", {}},
        {StartCommand::Copy, L"", {}},
        {StartCommand::Exit, L"", {}},
        {StartCommand::Save, L"C:\\\u753B\u50CF\\a b.png", {}}, // 画像
    };
    for (const CommandLine& c : commands) {
        const std::vector<unsigned char> data = EncodeHandOver(c);
        EXPECT_EQ(4 + 2 * c.file.size(), data.size());
        EXPECT_EQ(static_cast<unsigned char>(c.command), data[0]);
        EXPECT_EQ(c, DecodeHandOver(data.data(), data.size()));
    }
    // UTF-16 little-endian after the command.
    const std::vector<unsigned char> save = EncodeHandOver({StartCommand::Save, L"\u753B", {}});
    EXPECT_EQ((std::vector<unsigned char>{3, 0, 0, 0, 0x3B, 0x75}), save);
}

TEST(CommandLine, HandOverRefusesWhatIsNoCommandForTheRuler)
{
    const std::vector<std::vector<unsigned char>> refused = {
        {},
        {1, 0, 0},            // too short
        {2, 0, 0, 0, 'a'},    // half a code unit
        {5, 0, 0, 0},         // /? is answered without a ruler
        {6, 0, 0, 0},         // so is a bad command line
        {1, 0, 0, 1},         // a number out of range
        {3, 0, 0, 0},         // Save without a file
        {2, 0, 0, 0, 'a', 0}, // a file for Copy
    };
    for (const auto& data : refused) EXPECT_FALSE(DecodeHandOver(data.data(), data.size())) << data.size();
    EXPECT_FALSE(DecodeHandOver(nullptr, 4));

    // A Save's file must be the one meant: whole, a full path, of a picture type.
    const struct {
        std::wstring file;
        bool taken;
    } saves[] = {
        {L"C:\\shots\\a.png", true},
        {L"c:/shots/a.JPG", true},
        {L"\\\\server\\share\\a.tif", true},
        {L"\\\\?\\C:\\shots\\a.bmp", true},
        {std::wstring(L"C:\\x.png\0.png", 13), false}, // cut at the NUL, another file
        {std::wstring(L"C:\\a\0\\b.png", 10), false},
        {L"a.png", false},        // taken from the ruler's folder
        {L"C:a.png", false},      // from the drive's current folder
        {L"\\a.png", false},      // from the current drive
        {L"\\\\\\a.png", false},  // no server
        {L"C:\\shots\\a.gif", false},
        {L"C:\\" + std::wstring(32761, L'a') + L".png", false}, // past the longest path
        {L"C:\\" + std::wstring(32760, L'a') + L".png", true},  // the longest path
    };
    for (const auto& c : saves) {
        const std::vector<unsigned char> data = EncodeHandOver({StartCommand::Save, c.file, {}});
        EXPECT_EQ(c.taken, DecodeHandOver(data.data(), data.size()).has_value()) << c.file.size() << " " << c.file.c_str();
    }
}

TEST(CommandLine, TheSecondStartEndsWithWhatTheRulerDidOrWaitsForIt)
{
    using A = AfterHandOver;
    const struct {
        StartCommand command;
        bool delivered;
        intptr_t reply;
        HandOverOutcome outcome;
    } cases[] = {
        {StartCommand::Show, true, kHandOverDone, {A::End, kExitDone}},
        {StartCommand::Copy, true, kHandOverDone, {A::End, kExitDone}},
        {StartCommand::Exit, true, kHandOverDone, {A::AwaitRuler, kExitNotDone}},
        {StartCommand::Save, true, kHandOverSaving, {A::AwaitSave, kExitNotDone}},
        {StartCommand::Save, true, kHandOverNotSaved, {A::End, kExitNotDone}}, // ill-formed, or a save runs
        {StartCommand::Copy, true, kHandOverSaving, {A::End, kExitNotDone}},   // no answer to a Copy
        // Not delivered (hung, or refused across integrity levels), or a ruler that ends.
        {StartCommand::Exit, false, kHandOverDone, {A::WaitForClaim, kExitNotDone}},
        {StartCommand::Save, true, 0, {A::WaitForClaim, kExitNotDone}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.outcome, AfterAnswer(c.command, c.delivered, c.reply))
            << static_cast<int>(c.command) << " " << c.delivered << " " << c.reply;
    EXPECT_EQ(kExitDone, SaveResultExitCode(kHandOverDone));
    EXPECT_EQ(kExitNotDone, SaveResultExitCode(kHandOverNotSaved));
}
