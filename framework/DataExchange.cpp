#include "framework/DataExchange.h"

#include <cerrno>
#include <cwchar>

void DataExchange::Check(int id, int& checked)
{
    if (m_saving)
        checked = IsDlgButtonChecked(m_dialog, id) == BST_CHECKED ? 1 : 0;
    else
        CheckDlgButton(m_dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void DataExchange::Radio(int firstId, int lastId, int& index)
{
    if (m_saving) {
        index = -1;
        for (int id = firstId; id <= lastId; ++id) {
            if (IsDlgButtonChecked(m_dialog, id) == BST_CHECKED) {
                index = id - firstId;
                break;
            }
        }
    } else {
        for (int id = firstId; id <= lastId; ++id)
            CheckDlgButton(m_dialog, id, id - firstId == index ? BST_CHECKED : BST_UNCHECKED);
    }
}

void DataExchange::ListIndex(int id, int& index)
{
    HWND control = Control(id);
    wchar_t cls[32] = {};
    GetClassNameW(control, cls, 32);
    const bool isList = _wcsicmp(cls, L"ListBox") == 0;
    if (m_saving)
        index = static_cast<int>(SendMessageW(control, isList ? LB_GETCURSEL : CB_GETCURSEL, 0, 0));
    else
        SendMessageW(control, isList ? LB_SETCURSEL : CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DataExchange::Text(int id, std::wstring& text)
{
    HWND control = Control(id);
    if (m_saving) {
        const int length = GetWindowTextLengthW(control);
        text.assign(static_cast<size_t>(length) + 1, L'\0');
        const int copied = GetWindowTextW(control, &text[0], length + 1);
        text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    } else {
        SetWindowTextW(control, text.c_str());
    }
}

bool DataExchange::Int(int id, int& value, int min, int max)
{
    if (!m_saving) {
        std::wstring text = std::to_wstring(value);
        Text(id, text);
        return true;
    }
    std::wstring text;
    Text(id, text);
    const wchar_t* begin = text.c_str();
    wchar_t* end = nullptr;
    errno = 0;
    const long parsed = std::wcstol(begin, &end, 10);
    while (end && (*end == L' ' || *end == L'\t')) ++end;
    if (end == begin || (end && *end) || errno == ERANGE || parsed < min || parsed > max) return false;
    value = static_cast<int>(parsed);
    return true;
}
