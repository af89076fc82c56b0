#include "measure/Edid.h"

#include <cstdlib>

namespace {

constexpr size_t kBaseBlockSize = 128;
constexpr uint8_t kHeader[8] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
constexpr size_t kBasicWidthCm = 21, kBasicHeightCm = 22;
constexpr size_t kFirstDescriptor = 54;
// Offsets inside a detailed timing descriptor.
constexpr size_t kWidthMmLow = 12, kHeightMmLow = 13, kSizeMmHigh = 14;
// How far the detailed size may stray from the basic one, which is rounded to centimetres.
constexpr int32_t kAgreementMm = 10;
constexpr int32_t kAgreementPercent = 10;

bool Agrees(int32_t detailedMm, int32_t basicMm)
{
    return std::abs(detailedMm - basicMm) <= kAgreementMm + basicMm * kAgreementPercent / 100;
}

} // namespace

std::optional<EdidSize> EdidImageSize(const uint8_t* block, size_t size)
{
    if (!block || size < kBaseBlockSize) return std::nullopt;
    for (size_t i = 0; i < sizeof(kHeader); ++i)
        if (block[i] != kHeader[i]) return std::nullopt;

    EdidSize basic{block[kBasicWidthCm] * 10, block[kBasicHeightCm] * 10};
    const bool hasBasic = basic.widthMm > 0 && basic.heightMm > 0;

    // A descriptor with a pixel clock of zero is a display descriptor (a name, the
    // ranges), not a timing: it has no image size.
    const uint8_t* d = block + kFirstDescriptor;
    if (d[0] != 0 || d[1] != 0) {
        const EdidSize detailed{d[kWidthMmLow] | ((d[kSizeMmHigh] >> 4) << 8),
                                d[kHeightMmLow] | ((d[kSizeMmHigh] & 0x0F) << 8)};
        if (detailed.widthMm > 0 && detailed.heightMm > 0 &&
            (!hasBasic || (Agrees(detailed.widthMm, basic.widthMm) && Agrees(detailed.heightMm, basic.heightMm))))
            return detailed;
    }
    if (hasBasic) return basic;
    return std::nullopt;
}
