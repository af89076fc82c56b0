// Everything else the program parses from outside: a command line, the command a second
// start (or any other program) hands over, a file name's picture type, a monitor's EDID
// block, a typed calibration length and a stored key.
// No input may crash, hang or read out of bounds, and a parse must hold its own promises.
#include "app/CommandLine.h"
#include "copy/PictureFormat.h"
#include "measure/Calibration.h"
#include "measure/Edid.h"
#include "shell/HotKeyValue.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

std::wstring WideOf(const uint8_t* data, size_t size)
{
    std::wstring text;
    for (size_t i = 0; i + 1 < size; i += 2) text += static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
    return text;
}

void Check(bool promise)
{
    if (!promise) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::wstring text = WideOf(data, size);

    const CommandLine line = ParseCommandLine(text);
    // Only Save carries a file, and never an empty one.
    Check(line.command == StartCommand::Save ? !line.file.empty() : line.file.empty());
    // What a second start hands over comes back as it went: all but a Save whose file the
    // ruler could not be sure of (the second start makes it a full path and checks its type).
    if (line.command != StartCommand::Help && line.command != StartCommand::Invalid) {
        const std::vector<unsigned char> bytes = EncodeHandOver(line);
        const auto back = DecodeHandOver(bytes.data(), bytes.size());
        const bool sure = line.command != StartCommand::Save ||
                          (line.file.find(L'\0') == std::wstring::npos && IsFullPath(line.file) &&
                           PictureFormatOf(line.file) && bytes.size() <= kMaxHandOverBytes);
        Check(back.has_value() == sure);
        if (back) Check(back->command == line.command && back->file == line.file);
    }
    // A block the ruler takes names the one file meant, and one it can write.
    if (const auto handed = DecodeHandOver(data, size)) {
        Check(size <= kMaxHandOverBytes);
        if (handed->command == StartCommand::Save)
            Check(handed->file.find(L'\0') == std::wstring::npos && IsFullPath(handed->file) &&
                  PictureFormatOf(handed->file).has_value());
    }

    // A name chosen in the Save dialog always ends as a picture of some type.
    const bool named = !text.empty() && text.back() != L'\\' && text.back() != L'/' && text.back() != L':';
    for (int format = 0; named && format < kPictureFormatCount; ++format)
        Check(PictureFormatOf(WithPictureExtension(text, static_cast<PictureFormat>(format))).has_value());

    if (const auto edid = EdidImageSize(data, size)) Check(edid->widthMm > 0 && edid->heightMm > 0);

    const Calibration calibration = CalibrationFromLength(text, LengthUnit::Millimetres, 378);
    if (calibration.error == CalibrationError::None) Check(IsValidCalibration(calibration.pixelsPerMetre));

    if (size >= 4) {
        const uint32_t value = data[0] | (data[1] << 8) | (data[2] << 16) | (uint32_t(data[3]) << 24);
        // What is read is a key to register, or none at all.
        for (int action = 0; action < kHotKeyActionCount; ++action) {
            const uint32_t usable = UsableHotKey(value, static_cast<HotKeyAction>(action));
            Check(usable == 0 || ClassifyHotKey(usable) == HotKeyKind::Key);
        }
    }
    return 0;
}
