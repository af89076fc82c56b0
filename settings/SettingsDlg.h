#pragma once

#include "framework/MessageTable.h"
#include "framework/ModalDialog.h"
#include "settings/ColorButton.h"
#include "settings/SettingsRules.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

// The Settings dialog: the inner size, bar thickness, guide-line width and
// colours, tooltips, which bars are shown, and the bars' pitches and colours,
// one set for all bars or one per bar ("Individual", one tab per shown bar).
//
// The page (five colour buttons, three pitch boxes) always shows one bar, the
// page bar; every store writes it back into m_bars, the dialog's working copy.
class CSettingsDlg : public CModalDialog {
public:
    explicit CSettingsDlg(HWND parent);

    // Selects the list entry equal to the value, or none if no entry is.
    void SetScaleSize(int32_t value);
    void SetLineSize(int32_t value);
    // The selected entry, or `current` when the list has no selection.
    int32_t ScaleSizeOr(int32_t current) const;
    int32_t LineSizeOr(int32_t current) const;

    // Members in the order of the dialog's data exchange.
    int m_lineSizeIndex = -1;
    int m_scaleSizeIndex = -1;
    DisplayChoices m_choices;
    int m_unit = 0; // 0: pixel, the only unit; never shown
    std::wstring m_scaleL;
    std::wstring m_scaleM;
    std::wstring m_scaleS;
    std::wstring m_width;
    std::wstring m_height;
    BarSet m_bars;
    std::vector<int32_t> m_scaleSizes = ThicknessList();
    std::vector<int32_t> m_lineSizes = LineWidthList();
    CColorButton m_lineColor;
    CColorButton m_lineTextColor;
    CColorButton m_colorS;
    CColorButton m_colorM;
    CColorButton m_colorL;
    CColorButton m_colorText;
    CColorButton m_colorBack;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    bool Exchange(DataExchange& dx) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnClickDisplayBox();
    void OnColorChanged();
    void OnEditPitch();
    void OnSelectPitchS();
    void OnSelectPitchM();
    void OnSelectPitchL();
    LRESULT OnTabSelChange(NMHDR* header);

    void AttachColorButtons();
    void FillLists();
    void FillPitchLists();
    void RebuildTabs();
    void LoadPage();
    // Takes the page into m_bars; false (nothing stored) when a pitch is not above 0.
    bool StorePage();
    // The first pitch box whose member text is not above 0; 0 when all three are.
    int InvalidPitchBox() const;
    // The pitch boxes with their members, tested in this order.
    std::array<std::pair<int, const std::wstring*>, 3> PitchBoxes() const;
    // The edit text of a pitch box takes the entry just chosen from its list.
    void TakeListChoice(int boxId);
    int CurrentPageBar() const;
    // Members to controls, without the stores that changed texts would trigger.
    void ShowMembers();

    HWND m_tabs = nullptr;
    std::vector<int> m_tabBars;
    bool m_showingMembers = false;

    static const CommandEntry<CSettingsDlg> s_commands[];
    static const NotifyEntry<CSettingsDlg> s_notifies[];
};
