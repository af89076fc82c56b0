#include "measure/MonitorScale.h"

#include "framework/Handles.h"
#include "framework/StringMessageBox.h"
#include "measure/Calibration.h"
#include "measure/MonitorEdid.h"
#include "resources/resource.h"

namespace {

bool InfoOf(HMONITOR monitor, MONITORINFOEXW& info)
{
    info = {};
    info.cbSize = sizeof(info);
    return monitor && GetMonitorInfoW(monitor, &info);
}

// Line `index` of a text of lines separated by '\n'; empty past the last.
std::wstring LineOf(const std::wstring& text, int index)
{
    size_t from = 0;
    for (int i = 0; i < index && from != std::wstring::npos; ++i) {
        from = text.find(L'\n', from);
        if (from != std::wstring::npos) ++from;
    }
    if (from == std::wstring::npos) return std::wstring();
    return text.substr(from, text.find(L'\n', from) - from);
}

} // namespace

std::wstring MonitorDeviceName(HMONITOR monitor)
{
    MONITORINFOEXW info;
    return InfoOf(monitor, info) ? std::wstring(info.szDevice) : std::wstring();
}

ScaleEvidence GatherScaleEvidence(HMONITOR monitor, ProfileStore& store)
{
    ScaleEvidence evidence;
    MONITORINFOEXW info;
    if (!InfoOf(monitor, info)) return evidence;
    evidence.calibration = ReadCalibration(store, info.szDevice);
    // Device pixels: the program is aware of each monitor's DPI.
    evidence.widthPx = info.rcMonitor.right - info.rcMonitor.left;
    evidence.heightPx = info.rcMonitor.bottom - info.rcMonitor.top;
    const std::vector<uint8_t> edid = ReadMonitorEdid(info.szDevice);
    evidence.edid = EdidImageSize(edid.data(), edid.size());
    CreatedDC dc(CreateDCW(info.szDevice, info.szDevice, nullptr, nullptr));
    if (dc.get()) {
        evidence.systemWidthMm = GetDeviceCaps(dc.get(), HORZSIZE);
        evidence.systemHeightMm = GetDeviceCaps(dc.get(), VERTSIZE);
    }
    return evidence;
}

ScreenScale MonitorScreenScale(HMONITOR monitor, ProfileStore& store)
{
    return ChooseScreenScale(GatherScaleEvidence(monitor, store));
}

std::wstring DescribeScale(const ScreenScale& scale)
{
    const std::wstring source = LineOf(LoadResourceString(IDS_SCALE_SOURCES), static_cast<int>(scale.source));
    return source + L": " + ScaleFigures(scale.pixelsPerMetre);
}
