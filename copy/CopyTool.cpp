#include "copy/CopyTool.h"

#include "copy/CopyRules.h"
#include "copy/CopySettingDlg.h"
#include "copy/SavePicture.h"
#include "copy/ScreenCopy.h"
#include "resources/resource.h"
#include "ruler/RulerTimers.h"
#include "ruler/Win32Rect.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr MenuImage kImages[] = {
    {ID_COPY, IDI_COPY},
    {ID_SAVE_PICTURE, IDI_SAVE_PICTURE},
    {ID_COPY_SETTING, IDI_COPY_SETTING},
};

// How often a Save Picture that waits for a dialog looks again.
constexpr UINT kWaitForDialogMs = 200;

} // namespace

bool CCopyTool::OnCommand(UINT id)
{
    switch (id) {
    case ID_COPY: StartDelay(TimerCopy); return true;
    case ID_SAVE_PICTURE: StartDelay(TimerSavePicture); return true;
    case ID_COPY_SETTING: EditSettings(); return true;
    default: return false;
    }
}

bool CCopyTool::OnKey(WPARAM key, bool ctrl)
{
    if (key != 'C' || !ctrl) return false;
    StartDelay(TimerCopy);
    return true;
}

void CCopyTool::StartDelay(UINT_PTR timer)
{
    // Off the screen from now on: the delay lets the windows below paint where they were.
    // Once for each picture: a command within the delay only starts it again.
    if (!(m_delays & DelayBit(timer))) m_host.PutAsideForPicture(true);
    m_delays |= DelayBit(timer);
    m_host.StartTimer(*this, timer, static_cast<UINT>(std::max(m_host.Model().options.CopyTimer, 0)));
}

PictureContent RulerPicture(const RulerHost& host)
{
    RECT window = {};
    GetWindowRect(host.Window(), &window);
    return RulerPictureContent(FromRect(window), host.Model(), host.Thickness(), host.LabelFont());
}

void CCopyTool::OnTimer(UINT_PTR id)
{
    // A dialog or message box of the ruler's is open: the Save dialog waits for it to
    // close instead of stacking on it.
    if (id == TimerSavePicture && (m_host.DialogOpen() || !IsWindowEnabled(m_host.Window()))) {
        m_host.StartTimer(*this, id, kWaitForDialogMs);
        return;
    }
    // Each delay gives one picture.
    m_host.StopTimer(id);
    const HWND ruler = m_host.Window();
    // The picture shows what the user sees under the ruler, without the ruler's own windows
    // (the tooltip shows again when the pointer passes a line during the delay).
    m_host.PutAsideForPicture(true);
    if (id == TimerCopy)
        ReportCopyResult(ruler, m_host.Model().options, CaptureToClipboard(ruler, m_picture, RulerPicture(m_host)));
    else if (id == TimerSavePicture)
        SavePicture(ruler, m_picture, RulerPicture(m_host));
    m_host.PutAsideForPicture(false);
    // The delay's own step aside ends with its picture.
    if (m_delays & DelayBit(id)) m_host.PutAsideForPicture(false);
    m_delays &= ~DelayBit(id);
}

// The copy's options are saved with the others at exit.
void CCopyTool::EditSettings()
{
    CCopySettingDlg dialog(m_host.Window(), CopySettingsOf(m_host.Model().options));
    if (m_host.RunDialog(dialog) != IDOK) return;
    const CopySettings settings = dialog.Settings();
    m_host.ChangeModel([&](RulerModel& model) { ApplyCopySettings(settings, model.options); });
}

void CCopyTool::AddMenuImages(std::vector<MenuImage>& images) const
{
    images.insert(images.end(), std::begin(kImages), std::end(kImages));
}
