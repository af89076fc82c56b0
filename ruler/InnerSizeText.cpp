#include "ruler/InnerSizeText.h"

#include <cwchar>
#include <numeric>

namespace {

// Past this, reduced terms say less than a decimal ratio.
constexpr int32_t kMaxRatioTerm = 50;
const wchar_t kTimes[] = L" \u00D7 ";

} // namespace

std::wstring AspectRatioText(int32_t width, int32_t height)
{
    if (width <= 0 || height <= 0) return std::wstring();
    const int32_t divisor = std::gcd(width, height);
    const int32_t a = width / divisor, b = height / divisor;
    if (a <= kMaxRatioTerm && b <= kMaxRatioTerm) return std::to_wstring(a) + L":" + std::to_wstring(b);
    wchar_t text[32];
    std::swprintf(text, 32, L"%.2f:1", static_cast<double>(width) / height);
    return text;
}

std::wstring InnerSizeText(const UnitAxis& alongX, const UnitAxis& alongY)
{
    const int32_t width = alongX.Extent(), height = alongY.Extent();
    std::wstring text;
    const Unit unit = alongX.GetUnit();
    if (unit != Unit::Pixels && unit != Unit::Percent)
        text = alongX.Number(width) + kTimes + alongY.NumberWithName(height) + L"  ";
    text += std::to_wstring(width) + kTimes + std::to_wstring(height) + L" " + kPixelShortName;
    const std::wstring ratio = AspectRatioText(width, height);
    if (!ratio.empty()) text += L"  " + ratio;
    return text;
}
