// The Line list dialog's templates: named sets of both lists in the template file.
#include "linelist/LineListDlg.h"

#include "framework/StringMessageBox.h"
#include "linelist/LineTemplate.h"
#include "profile/IniProfile.h"
#include "resources/resource.h"

#include <algorithm>

namespace {

// Template names are kept in the ANSI code page (932 under a Japanese
// interface), as files in use hold them.
std::wstring FromAnsi(const std::string& ansi)
{
    if (ansi.empty()) return std::wstring();
    const int size = static_cast<int>(ansi.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, nullptr, 0);
    std::wstring text(static_cast<size_t>(std::max(length, 0)), L'\0');
    if (length > 0) MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, &text[0], length);
    return text;
}

// False when the text has no exact form in the ANSI code page: storing a
// best-fit or "?" stand-in would file the template under another name.
bool ToAnsi(const std::wstring& text, std::string& ansi)
{
    ansi.clear();
    if (text.empty()) return true;
    const int size = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return false;
    ansi.resize(static_cast<size_t>(length));
    WideCharToMultiByte(CP_ACP, 0, text.data(), size, &ansi[0], length, nullptr, nullptr);
    return FromAnsi(ansi) == text;
}

} // namespace

void CLineListDlg::FillTemplateNames()
{
    m_templateNames.clear();
    {
        IniProfile store;
        store.EnumSections(m_templateNames);
    }
    // Emptying the list empties the name field too.
    const HWND names = GetDlgItem(m_hWnd, IDC_TEMPLATE_NAME);
    SendMessageW(names, CB_RESETCONTENT, 0, 0);
    for (size_t i = 0; i < m_templateNames.size(); ++i) {
        const LRESULT at =
            SendMessageW(names, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(FromAnsi(m_templateNames[i]).c_str()));
        if (at >= 0) SendMessageW(names, CB_SETITEMDATA, static_cast<WPARAM>(at), static_cast<LPARAM>(i));
    }
}

// The typed name as the file keeps it. A listed name is taken byte for byte;
// a name the file cannot hold is refused, visibly, before the file is opened.
bool CLineListDlg::TemplateNameFromField(std::string& name)
{
    const HWND names = GetDlgItem(m_hWnd, IDC_TEMPLATE_NAME);
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(names)) + 1, L'\0');
    text.resize(static_cast<size_t>(std::max(0, GetWindowTextW(names, &text[0], static_cast<int>(text.size())))));
    name.clear();
    if (text.empty()) return false;

    const LRESULT listed =
        SendMessageW(names, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text.c_str()));
    if (listed >= 0) {
        const auto index = static_cast<size_t>(SendMessageW(names, CB_GETITEMDATA, static_cast<WPARAM>(listed), 0));
        // The search ignores case; template names do not.
        if (index < m_templateNames.size() && FromAnsi(m_templateNames[index]) == text) {
            name = m_templateNames[index];
            return true;
        }
    }
    if (ToAnsi(text, name) && IsStorableTemplateName(name)) return true;
    StringMessageBox(m_hWnd, IDS_TEMPLATE_NAME_REFUSED, MB_OK | MB_ICONWARNING);
    return false;
}

void CLineListDlg::OnCmdStoreTemplate()
{
    std::string name;
    if (!TemplateNameFromField(name)) return;
    bool stored = false;
    {
        IniProfile store;
        LineTemplate lines{m_linesX, m_linesY};
        stored = !store.ReadFailed() && lines.Persist(store, name.c_str(), false);
        // Half a template must not reach the file.
        if (!stored) store.Discard();
        stored = store.Commit() && stored;
    }
    if (!stored) {
        StringMessageBox(m_hWnd, IDS_TEMPLATE_FILE_UNCHANGED, MB_OK | MB_ICONWARNING);
        return;
    }
    FillTemplateNames();
}

void CLineListDlg::OnCmdDeleteTemplate()
{
    std::string name;
    if (!TemplateNameFromField(name)) return;
    bool deleted = false;
    {
        IniProfile store;
        deleted = !store.ReadFailed() && store.DeleteSection(name.c_str()) && store.Commit();
    }
    if (!deleted) {
        StringMessageBox(m_hWnd, IDS_TEMPLATE_FILE_UNCHANGED, MB_OK | MB_ICONWARNING);
        return;
    }
    FillTemplateNames();
}

void CLineListDlg::OnSelChangeTemplate()
{
    const HWND names = GetDlgItem(m_hWnd, IDC_TEMPLATE_NAME);
    const LRESULT picked = SendMessageW(names, CB_GETCURSEL, 0, 0);
    if (picked < 0) return;
    const auto index = static_cast<size_t>(SendMessageW(names, CB_GETITEMDATA, static_cast<WPARAM>(picked), 0));
    if (index >= m_templateNames.size()) return;
    SetWindowTextW(names, FromAnsi(m_templateNames[index]).c_str());

    LineTemplate lines;
    bool readFailed = false;
    {
        IniProfile store;
        readFailed = store.ReadFailed();
        lines.Persist(store, m_templateNames[index].c_str(), true);
    }
    // A file that became unreadable since it was listed must not empty the lists.
    if (readFailed) {
        StringMessageBox(m_hWnd, IDS_TEMPLATE_FILE_UNCHANGED, MB_OK | MB_ICONWARNING);
        return;
    }
    m_linesX = std::move(lines.linesX);
    m_linesY = std::move(lines.linesY);
    FillList(AxisX);
    FillList(AxisY);
}
