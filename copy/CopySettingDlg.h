#pragma once

#include "copy/CopyRules.h"
#include "framework/MessageTable.h"
#include "framework/ModalDialog.h"

#include <commctrl.h>

#include <cstdint>
#include <vector>

// "Copy Setting": the copy's delay, whether it includes the scale bars and the
// cursor, whether a result message follows, and where the cursor image goes.
// It edits its own copy of the settings; the command applies them after OK.
class CCopySettingDlg : public CModalDialog {
public:
    CCopySettingDlg(HWND parent, const CopySettings& settings);

    const CopySettings& Settings() const { return m_settings; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    bool Exchange(DataExchange& dx) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnClickIncludeCursor();
    LRESULT OnDeltaPosX(NMHDR* header);
    LRESULT OnDeltaPosY(NMHDR* header);

    void FillTimerList();
    void EnableOffsetControls(bool enable);
    void StepOffset(const NMHDR* header, int editId, int32_t& value);
    bool ExchangeOffset(DataExchange& dx, int editId, int32_t& value);

    CopySettings m_settings;
    int m_timerIndex = 0;
    std::vector<int32_t> m_timerValues; // one per list entry, same order

    static const CommandEntry<CCopySettingDlg> s_commands[];
    static const NotifyEntry<CCopySettingDlg> s_notifies[];
};
