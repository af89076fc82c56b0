#include "measure/MeasureTable.h"

#include "measure/MeasurementTable.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

const wchar_t kCell[] = L"\t";
const wchar_t kRowEnd[] = L"\r\n";

// One decimal, as every length, angle and value in a unit is written; never "-0.0".
std::wstring OneDecimal(double value)
{
    value = std::isfinite(value) ? std::clamp(value, -1e15, 1e15) : 0;
    double rounded = std::round(value * 10) / 10;
    if (rounded == 0) rounded = 0;
    wchar_t text[64];
    std::swprintf(text, 64, L"%.1f", rounded);
    return text;
}

// A row's values in pixels; a kind leaves the ones it has no value for out.
struct RowValues {
    MeasurePoint at;
    bool hasWidth = false, hasHeight = false, hasLength = false, hasAngle = false;
    int32_t width = 0, height = 0;
    MeasurePoint lengthFrom, lengthTo; // the segment whose length the row gives
    double angle = 0;
};

RowValues ValuesOf(const Measurement& m)
{
    RowValues v;
    v.at = {m.left, m.top};
    v.width = m.right - m.left + 1;
    v.height = m.bottom - m.top + 1;
    switch (m.kind) {
    case MeasureKind::Spacing:
    case MeasureKind::Box: v.hasWidth = v.hasHeight = true; break;
    case MeasureKind::Horizontal:
        v.at = {m.left, m.from.y};
        v.hasWidth = true;
        break;
    case MeasureKind::Vertical:
        v.at = {m.from.x, m.top};
        v.hasHeight = true;
        break;
    case MeasureKind::Line: {
        const LineReading line = ReadLine(m.from, m.to);
        v.at = m.from;
        v.hasWidth = v.hasHeight = v.hasLength = v.hasAngle = true;
        v.width = line.dx;
        v.height = line.dy;
        v.lengthFrom = m.from;
        v.lengthTo = m.to;
        v.angle = line.angle;
        break;
    }
    case MeasureKind::Angle:
        v.at = m.from;
        v.hasLength = v.hasAngle = true;
        v.lengthFrom = m.from;
        v.lengthTo = m.to;
        v.angle = ArmsAngle(m.from, m.to, m.third);
        break;
    }
    return v;
}

std::wstring Cell(bool has, const std::wstring& text)
{
    return kCell + (has ? text : std::wstring());
}

} // namespace

MeasureTableLabels MeasureTableLabelsFrom(const std::wstring& text)
{
    MeasureTableLabels labels;
    std::vector<std::wstring*> fields;
    for (std::wstring& kind : labels.kinds) fields.push_back(&kind);
    for (std::wstring* word : {&labels.kind, &labels.width, &labels.height, &labels.length, &labels.angle})
        fields.push_back(word);
    SplitTabFields(text, fields);
    return labels;
}

std::wstring MeasureTableText(const std::vector<Measurement>& items,
                              const std::function<std::pair<UnitAxis, UnitAxis>(const Measurement&)>& axesOf,
                              const MeasureTableLabels& labels)
{
    const Unit unit = axesOf(items.empty() ? Measurement() : items.front()).first.GetUnit();
    const bool inUnit = unit != Unit::Pixels;
    const std::wstring px = std::wstring(L" (") + kPixelShortName + L")";
    const std::wstring u = inUnit ? std::wstring(L" (") + UnitShortName(unit) + L")" : px;

    std::wstring text = labels.kind + kCell + L"X" + px + kCell + L"Y" + px;
    text += kCell + labels.width + u + kCell + labels.height + u + kCell + labels.length + u;
    text += kCell + labels.angle + L" (\u00B0)";
    if (inUnit) text += kCell + labels.width + px + kCell + labels.height + px + kCell + labels.length + px;
    text += kRowEnd;

    for (const Measurement& m : items) {
        const RowValues v = ValuesOf(m);
        const auto axes = axesOf(m);
        const UnitAxis& x = axes.first;
        const UnitAxis& y = axes.second;
        const double dx = double(v.lengthTo.x) - v.lengthFrom.x, dy = double(v.lengthTo.y) - v.lengthFrom.y;
        const double lengthPx = std::hypot(dx, dy);

        text += labels.kinds[static_cast<size_t>(m.kind) % kMeasureKindCount];
        text += kCell + std::to_wstring(v.at.x) + kCell + std::to_wstring(v.at.y);
        if (inUnit) {
            // A length across both axes, each in its own unit (Percent differs between them).
            text += Cell(v.hasWidth, OneDecimal(x.ToUnit(v.width)));
            text += Cell(v.hasHeight, OneDecimal(y.ToUnit(v.height)));
            text += Cell(v.hasLength, OneDecimal(std::hypot(x.ToUnit(dx), y.ToUnit(dy))));
        } else {
            text += Cell(v.hasWidth, std::to_wstring(v.width));
            text += Cell(v.hasHeight, std::to_wstring(v.height));
            text += Cell(v.hasLength, OneDecimal(lengthPx));
        }
        text += Cell(v.hasAngle, OneDecimal(v.angle));
        if (inUnit) {
            text += Cell(v.hasWidth, std::to_wstring(v.width));
            text += Cell(v.hasHeight, std::to_wstring(v.height));
            text += Cell(v.hasLength, OneDecimal(lengthPx));
        }
        text += kRowEnd;
    }
    return text;
}
