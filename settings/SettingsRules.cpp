#include "settings/SettingsRules.h"

#include "ruler/Geometry.h"
#include "ruler/RulerOptions.h"
#include "ruler/scalebar/ScaleBarStyle.h"

#include <algorithm>
#include <limits>

namespace {

std::vector<int32_t> Steps(int32_t first, int32_t last, int32_t step)
{
    std::vector<int32_t> list;
    for (int32_t v = first; v <= last; v += step) list.push_back(v);
    return list;
}

bool IsBlank(wchar_t c)
{
    return c == L' ' || (c >= L'\t' && c <= L'\r');
}

} // namespace

std::vector<int32_t> ThicknessList()
{
    return Steps(30, 100, 10);
}

std::vector<int32_t> LineWidthList()
{
    return Steps(1, 10, 1);
}

std::vector<int32_t> InnerSizeList()
{
    std::vector<int32_t> list;
    // Powers of two and then the common screen widths, each followed by its 4:3 height.
    for (int32_t a : {32, 64, 128, 256, 512, 1024, 160, 320, 640, 1280}) {
        list.push_back(a);
        list.push_back(a * 3 / 4);
    }
    for (int32_t v : Steps(100, 1500, 100)) list.push_back(v);
    return list;
}

std::vector<int32_t> SmallPitchList()
{
    return Steps(2, 10, 1);
}

std::vector<int32_t> MiddlePitchList()
{
    return Steps(10, 50, 5);
}

std::vector<int32_t> BigPitchList()
{
    return Steps(20, 100, 10);
}

int ListIndexOf(const std::vector<int32_t>& list, int32_t value)
{
    const auto found = std::find(list.begin(), list.end(), value);
    return found == list.end() ? -1 : static_cast<int>(found - list.begin());
}

int32_t ListValueAt(const std::vector<int32_t>& list, int index, int32_t current)
{
    if (index < 0 || static_cast<size_t>(index) >= list.size()) return current;
    return list[static_cast<size_t>(index)];
}

int32_t ParseLeadingInt(const std::wstring& text)
{
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    int64_t value = 0;
    constexpr int64_t limit = int64_t(std::numeric_limits<int32_t>::max()) + 1;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i)
        value = std::min(value * 10 + (text[i] - L'0'), limit);
    if (negative) value = -value;
    return static_cast<int32_t>(
        std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

int32_t OuterExtent(const std::wstring& innerText, int32_t scaleSize)
{
    const int64_t outer = int64_t(ParseLeadingInt(innerText)) + 2 * int64_t(scaleSize);
    return static_cast<int32_t>(std::clamp<int64_t>(outer, 0, kMaxWindowSide));
}

BarValues ValuesOfBar(const ScaleBarStyle& bar)
{
    BarValues v;
    v.ColorS = bar.ColorS;
    v.ColorM = bar.ColorM;
    v.ColorL = bar.ColorL;
    v.Text = bar.Text;
    v.Back = bar.Back;
    v.ScaleS = bar.ScaleS;
    v.ScaleM = bar.ScaleM;
    v.ScaleL = bar.ScaleL;
    return v;
}

void ApplyBarValues(const BarValues& values, ScaleBarStyle& bar)
{
    bar.ColorS = values.ColorS;
    bar.ColorM = values.ColorM;
    bar.ColorL = values.ColorL;
    bar.Text = values.Text;
    bar.Back = values.Back;
    bar.ScaleS = values.ScaleS;
    bar.ScaleM = values.ScaleM;
    bar.ScaleL = values.ScaleL;
}

bool ParsePitches(const std::wstring& small, const std::wstring& middle, const std::wstring& big, BarValues& values)
{
    const int32_t s = ParseLeadingInt(small), m = ParseLeadingInt(middle), l = ParseLeadingInt(big);
    if (s <= 0 || m <= 0 || l <= 0) return false;
    values.ScaleS = s;
    values.ScaleM = m;
    values.ScaleL = l;
    return true;
}

void StorePageValues(BarSet& bars, const BarValues& page, bool individual, int pageBar)
{
    if (!individual) {
        bars.fill(page);
    } else if (pageBar >= 0 && pageBar < BarCount) {
        bars[static_cast<size_t>(pageBar)] = page;
    }
}

std::vector<int> TabBars(bool top, bool bottom, bool left, bool right)
{
    std::vector<int> bars;
    if (top) bars.push_back(TopBar);
    if (bottom) bars.push_back(BottomBar);
    if (left) bars.push_back(LeftBar);
    if (right) bars.push_back(RightBar);
    return bars;
}

int PageBar(const std::vector<int>& tabBars, int selectedTab)
{
    if (tabBars.empty()) return TopBar;
    if (selectedTab < 0 || static_cast<size_t>(selectedTab) >= tabBars.size()) return tabBars.front();
    return tabBars[static_cast<size_t>(selectedTab)];
}

DisplayChoices ChoicesFromOptions(const RulerOptions& options)
{
    DisplayChoices c;
    c.tooltip = (options.Option & OptTooltip) ? 1 : 0;
    c.individual = (options.Option & OptIndividual) ? 1 : 0;
    c.left = (options.Flags & BarLeft) ? 1 : 0;
    c.right = (options.Flags & BarRight) ? 1 : 0;
    c.top = (options.Flags & BarTop) ? 1 : 0;
    c.bottom = (options.Flags & BarBottom) ? 1 : 0;
    return c;
}

void ApplyChoices(const DisplayChoices& choices, RulerOptions& options)
{
    SetOptionBit(options.Option, OptTooltip, choices.tooltip != 0);
    SetOptionBit(options.Option, OptIndividual, choices.individual != 0);
    SetOptionBit(options.Flags, BarLeft, choices.left != 0);
    SetOptionBit(options.Flags, BarRight, choices.right != 0);
    SetOptionBit(options.Flags, BarTop, choices.top != 0);
    SetOptionBit(options.Flags, BarBottom, choices.bottom != 0);
}

ColorTable BuildColorTable(const uint32_t* palette, uint32_t menu, uint32_t window, uint32_t buttonFace)
{
    ColorTable table = {};
    table[kMoreColorsCell] = kMoreColors;
    table[kPaletteCells + 2] = static_cast<int32_t>(buttonFace);
    table[kPaletteCells + 1] = static_cast<int32_t>(window);
    table[kPaletteCells] = static_cast<int32_t>(menu);
    if (palette)
        for (int i = 0; i < kPaletteCells; ++i) table[static_cast<size_t>(i)] = static_cast<int32_t>(palette[i]);
    return table;
}

int FindColorCell(const ColorTable& table, uint32_t colour)
{
    for (int i = 0; i < kColorCells; ++i)
        if (table[static_cast<size_t>(i)] == static_cast<int32_t>(colour)) return i;
    return kMoreColorsCell;
}
