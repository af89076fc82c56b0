#pragma once

#include "framework/MessageTable.h"
#include "framework/ModalDialog.h"

#include <cstdint>
#include <string>
#include <vector>

// The Line list dialog: edits copies of the ruler's guide-line coordinates as
// numbers and keeps named sets of them (templates) in the template file. OK
// hands the lists back to the caller; every template action writes the file at
// once, whichever way the dialog ends.
class CLineListDlg : public CModalDialog {
public:
    explicit CLineListDlg(HWND parent);

    std::vector<int32_t> m_linesX;
    std::vector<int32_t> m_linesY;

protected:
    BOOL OnInitDialog() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // The X and Y sides behave alike, each with its own list and controls.
    enum Axis { AxisX = 0, AxisY = 1 };
    struct AxisControls {
        int list, value, spin, add, update, remove;
    };
    static const AxisControls s_controls[2];

    template <Axis A>
    void OnCmdAdd()
    {
        AddValue(A);
    }
    template <Axis A>
    void OnCmdUpdate()
    {
        UpdateValue(A);
    }
    template <Axis A>
    void OnCmdDelete()
    {
        DeleteValue(A);
    }
    template <Axis A>
    void OnSelChangeList()
    {
        PickListEntry(A);
    }
    template <Axis A>
    void OnSelChangeValue()
    {
        PickPresetValue(A);
    }
    template <Axis A>
    void OnEditChangeValue()
    {
        TypedValue(A);
    }
    template <Axis A>
    LRESULT OnDeltaPosSpin(NMHDR* header)
    {
        return Spin(A, header);
    }

    // linelist/LineListDlg.cpp: the coordinate lists
    std::vector<int32_t>& Lines(Axis axis);
    void AddValue(Axis axis);
    void UpdateValue(Axis axis);
    void DeleteValue(Axis axis);
    void PickListEntry(Axis axis);
    void PickPresetValue(Axis axis);
    void TypedValue(Axis axis);
    LRESULT Spin(Axis axis, NMHDR* header);
    int32_t ReadValue(Axis axis) const;
    void SetValueText(Axis axis, const std::wstring& text);
    void FillList(Axis axis);
    void EnableControl(int id, bool enable);

    // linelist/LineListTemplates.cpp: the templates
    void OnCmdStoreTemplate();
    void OnCmdDeleteTemplate();
    void OnSelChangeTemplate();
    void FillTemplateNames();
    bool TemplateNameFromField(std::string& name);

    static const CommandEntry<CLineListDlg> s_commands[];
    static const NotifyEntry<CLineListDlg> s_notifies[];

    // The names as the file holds them, in the order listed; each combo-box
    // entry keeps its index here, so a picked name is used byte for byte.
    std::vector<std::string> m_templateNames;
    // Set while the program writes a value field, which is not typing.
    bool m_settingValue = false;
};
