#pragma once

#include <windows.h>

#include <string>

// Moves dialog members to their controls or back, one call per control, the
// same call serving both directions. A dialog lists its controls once:
//
//   bool CCopySettingDlg::Exchange(DataExchange& dx) {
//       dx.Check(IDC_INCLUDE_CURSOR, m_includeCursor);
//       return dx.Int(IDC_OFFSET_X, m_offsetX, -200, 200);
//   }
class DataExchange {
public:
    DataExchange(HWND dialog, bool saving) : m_dialog(dialog), m_saving(saving) {}

    bool Saving() const { return m_saving; }
    HWND Control(int id) const { return GetDlgItem(m_dialog, id); }

    // Check box state as 0 or 1.
    void Check(int id, int& checked);
    // Index of the checked button in a group of radio buttons starting at firstId.
    void Radio(int firstId, int lastId, int& index);
    // Selected index of a list or drop-down list combo box; -1 for none.
    void ListIndex(int id, int& index);
    // Window text of any control (combo box edit text included).
    void Text(int id, std::wstring& text);
    // A whole number in [min, max]. When saving, text that is not such a number
    // leaves `value` alone and returns false.
    bool Int(int id, int& value, int min, int max);

private:
    HWND m_dialog;
    bool m_saving;
};
