#include "measure/MeasurementTable.h"

#include <algorithm>

namespace {

const wchar_t kCell[] = L"\t";
const wchar_t kRowEnd[] = L"\r\n";

// Builds the table row by row; a cell in the unit is left out in Pixels.
class TableWriter {
public:
    explicit TableWriter(const UnitAxis& axis) : m_inUnit(axis.GetUnit() != Unit::Pixels) {}

    void Header(const MeasurementLabels& labels, Unit unit)
    {
        const std::wstring px = std::wstring(L" (") + kPixelShortName + L")";
        const std::wstring inUnit = std::wstring(L" (") + UnitShortName(unit) + L")";
        for (const std::wstring* word : {&labels.value, &labels.gap}) {
            if (m_inUnit) m_text += kCell + *word + inUnit;
            m_text += kCell + *word + px;
        }
        m_text += kRowEnd;
    }

    void Row(const std::wstring& name, const UnitAxis& axis, int64_t value)
    {
        m_text += name;
        Cells(axis, value);
        m_text += kRowEnd;
    }

    void Row(const std::wstring& name, const UnitAxis& axis, int64_t value, int64_t gap)
    {
        m_text += name;
        Cells(axis, value);
        Cells(axis, gap);
        m_text += kRowEnd;
    }

    const std::wstring& Text() const { return m_text; }

private:
    void Cells(const UnitAxis& axis, int64_t pixels)
    {
        if (m_inUnit) m_text += kCell + axis.Number(static_cast<double>(pixels));
        m_text += kCell + std::to_wstring(pixels);
    }

    bool m_inUnit;
    std::wstring m_text;
};

void LineRows(TableWriter& table, const std::wstring& name, const std::wstring& end, const UnitAxis& axis,
              std::vector<int32_t> lines)
{
    lines.erase(std::remove_if(lines.begin(), lines.end(), [&](int32_t v) { return v < 0 || v >= axis.Extent(); }),
                lines.end());
    std::sort(lines.begin(), lines.end());
    int64_t previous = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        table.Row(name + L" " + std::to_wstring(i + 1), axis, lines[i], lines[i] - previous);
        previous = lines[i];
    }
    // The gaps then add up to the extent; with no line the one gap is the size above.
    if (!lines.empty()) table.Row(name + L" " + end, axis, axis.Extent(), axis.Extent() - previous);
}

} // namespace

void SplitTabFields(const std::wstring& text, const std::vector<std::wstring*>& fields)
{
    size_t from = 0;
    for (std::wstring* field : fields) {
        if (from > text.size()) break;
        const size_t tab = std::min(text.find(L'\t', from), text.size());
        if (tab > from) *field = text.substr(from, tab - from);
        from = tab + 1;
    }
}

MeasurementLabels MeasurementLabelsFrom(const std::wstring& text)
{
    MeasurementLabels labels;
    SplitTabFields(text, {&labels.width, &labels.height, &labels.lineX, &labels.lineY, &labels.value, &labels.gap,
                          &labels.end});
    return labels;
}

std::wstring MeasurementTable(const UnitAxis& alongX, const UnitAxis& alongY, const std::vector<int32_t>& linesX,
                              const std::vector<int32_t>& linesY, const MeasurementLabels& labels)
{
    TableWriter table(alongX);
    table.Header(labels, alongX.GetUnit());
    table.Row(labels.width, alongX, alongX.Extent());
    table.Row(labels.height, alongY, alongY.Extent());
    LineRows(table, labels.lineX, labels.end, alongX, linesX);
    LineRows(table, labels.lineY, labels.end, alongY, linesY);
    return table.Text();
}
