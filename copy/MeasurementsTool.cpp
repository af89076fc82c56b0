#include "copy/MeasurementsTool.h"

#include "copy/OpenedClipboard.h"
#include "copy/ScreenCopy.h"
#include "framework/StringMessageBox.h"
#include "measure/MeasurementTable.h"
#include "resources/resource.h"

bool CMeasurementsTool::OnCommand(UINT id)
{
    if (id != ID_COPY_MEASUREMENTS) return false;
    CopyMeasurements();
    return true;
}

bool CMeasurementsTool::OnKey(WPARAM key, bool ctrl)
{
    if (key != 'C' || !ctrl || GetKeyState(VK_SHIFT) >= 0) return false;
    CopyMeasurements();
    return true;
}

// Text needs no delay: nothing of the screen is read.
void CMeasurementsTool::CopyMeasurements()
{
    const RECT inner = m_host.InnerScreenRect();
    const RulerModel& model = m_host.Model();
    const std::wstring table =
        MeasurementTable(model.Axis(inner.right - inner.left), model.Axis(inner.bottom - inner.top), model.lines.X(),
                         model.lines.Y(), MeasurementLabelsFrom(LoadResourceString(IDS_MEASUREMENT_LABELS)));
    ReportCopyResult(m_host.Window(), model.options, PutTextOnClipboard(m_host.Window(), table));
}

void CMeasurementsTool::AddMenuImages(std::vector<MenuImage>& images) const
{
    images.push_back({ID_COPY_MEASUREMENTS, IDI_COPY_MEASUREMENTS});
}
