#pragma once

#include "framework/MessageTable.h"
#include "framework/ModalDialog.h"
#include "shell/HotKeySettings.h"

#include <cstdint>

// "Keys...": per global key a hotkey control and a "Win" box, then "Default", OK and
// Cancel. A key that could not be registered is marked "In use" until its row is
// changed. Without the Win box a row's control gives a key typed alone Ctrl+Alt, so no
// key is chosen that would take a plain letter from every program. It edits its own copy
// of the keys; after OK the ruler hands Settings() to CGlobalKeys::Apply, which registers
// them again.
class CKeysDlg : public CModalDialog {
public:
    // `takenMask`: the actions whose key is in use, as CGlobalKeys::TakenMask gives them.
    CKeysDlg(HWND parent, const HotKeySettings& settings, uint32_t takenMask);

    const HotKeySettings& Settings() const { return m_settings; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    bool Exchange(DataExchange& dx) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnDefault();
    void OnRowEdited(UINT controlId);
    void ExchangeRow(DataExchange& dx, HotKeyAction action);
    void ShowKey(HotKeyAction action, uint32_t value);
    void ApplyRules(HotKeyAction action);

    HotKeySettings m_settings;
    uint32_t m_taken;

    static const CommandEntry<CKeysDlg> s_commands[];
};
