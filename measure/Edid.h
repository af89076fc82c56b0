#pragma once

// The physical size a monitor reports in its EDID (Extended Display Identification
// Data), read from the 128-byte base block Windows keeps for it.

#include <cstddef>
#include <cstdint>
#include <optional>

struct EdidSize {
    int32_t widthMm = 0;
    int32_t heightMm = 0;
};

// The image size of the first detailed timing descriptor (bytes 54 to 71, sizes in
// millimetres in bytes 66 to 68), else the basic display size (whole centimetres in
// bytes 21 and 22). Nothing when the block is short or its header is wrong, or when
// neither size is usable: a zero (a projector, or the basic bytes holding an aspect ratio),
// or a detailed size that disagrees with the basic one (some monitors write centimetres
// or an aspect ratio there).
std::optional<EdidSize> EdidImageSize(const uint8_t* block, size_t size);
