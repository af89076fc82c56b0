// Pictures with their measurements: PNG beside the DIB on the clipboard, the dimension
// bands, and "Save Picture..." writing a PNG file.
#include "e2e/RulerSession.h"
#include "resources/resource.h"
#include "support/RegistryScope.h"

#include <gtest/gtest.h>

#include <objbase.h>
#include <wincodec.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

const char kSection[] = "CMensuroDlg";
constexpr int kS = 40; // default ScaleSize, the band width too
constexpr COLORREF kBackdrop = RGB(32, 144, 96), kRed = RGB(255, 0, 0), kWhite = RGB(255, 255, 255);
constexpr int kSavePictureItem = 9; // among the context menu's items that are not separators

// A picture as rows of COLORREFs, top row first.
struct Picture {
    int width = 0, height = 0;
    std::vector<COLORREF> pixels;
    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    bool TopLeftEquals(const Picture& other) const
    {
        for (int y = 0; y < other.height; ++y)
            for (int x = 0; x < other.width; ++x)
                if (At(x, y) != other.At(x, y)) return false;
        return true;
    }
    int Count(const RECT& r, COLORREF c) const
    {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) n += At(x, y) == c ? 1 : 0;
        return n;
    }
};

bool operator==(const Picture& a, const Picture& b)
{
    return a.width == b.width && a.height == b.height && a.pixels == b.pixels;
}

std::vector<unsigned char> ClipboardData(UINT format)
{
    std::vector<unsigned char> data;
    if (!PumpUntil([] { return OpenClipboard(nullptr) != FALSE; })) return data;
    if (HANDLE block = GetClipboardData(format)) {
        if (const auto* bytes = static_cast<const unsigned char*>(GlobalLock(block)))
            data.assign(bytes, bytes + GlobalSize(block));
        GlobalUnlock(block);
    }
    CloseClipboard();
    return data;
}

Picture FromDib(const std::vector<unsigned char>& dib)
{
    Picture p;
    BITMAPINFOHEADER h = {};
    if (dib.size() < sizeof(h)) return p;
    std::memcpy(&h, dib.data(), sizeof(h));
    const size_t stride = (h.biWidth * 3 + 3) / 4 * 4;
    if (h.biBitCount != 24 || dib.size() < sizeof(h) + stride * h.biHeight) return p;
    p.width = h.biWidth;
    p.height = h.biHeight;
    for (int y = 0; y < p.height; ++y) {
        const unsigned char* row = dib.data() + sizeof(h) + (p.height - 1 - y) * stride;
        for (int x = 0; x < p.width; ++x) p.pixels.push_back(RGB(row[3 * x + 2], row[3 * x + 1], row[3 * x]));
    }
    return p;
}

// Decodes PNG bytes with the Windows Imaging Component; an empty picture on any failure.
Picture FromPng(const std::vector<unsigned char>& png)
{
    Picture p;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IWICImagingFactory* factory = nullptr;
    IWICStream* stream = nullptr;
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICFormatConverter* converter = nullptr;
    UINT w = 0, h = 0;
    if (!png.empty() &&
        SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                   reinterpret_cast<void**>(&factory))) &&
        SUCCEEDED(factory->CreateStream(&stream)) &&
        SUCCEEDED(stream->InitializeFromMemory(const_cast<BYTE*>(png.data()), static_cast<DWORD>(png.size()))) &&
        SUCCEEDED(factory->CreateDecoderFromStream(stream, nullptr, WICDecodeMetadataCacheOnDemand, &decoder)) &&
        SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(factory->CreateFormatConverter(&converter)) &&
        SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat24bppBGR, WICBitmapDitherTypeNone, nullptr, 0,
                                        WICBitmapPaletteTypeCustom)) &&
        SUCCEEDED(converter->GetSize(&w, &h))) {
        std::vector<BYTE> bgr(static_cast<size_t>(w) * h * 3);
        if (SUCCEEDED(converter->CopyPixels(nullptr, w * 3, static_cast<UINT>(bgr.size()), bgr.data()))) {
            p.width = static_cast<int>(w);
            p.height = static_cast<int>(h);
            for (size_t i = 0; i < bgr.size(); i += 3) p.pixels.push_back(RGB(bgr[i + 2], bgr[i + 1], bgr[i]));
        }
    }
    for (IUnknown* object : std::initializer_list<IUnknown*>{converter, frame, decoder, stream, factory})
        if (object) object->Release();
    CoUninitialize();
    return p;
}

std::vector<unsigned char> FileBytes(const std::wstring& path)
{
    std::ifstream file(path.c_str(), std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Runs "Copy" and waits for the clipboard to change and the ruler to finish.
bool CopyNow(const RulerSession& ruler)
{
    const DWORD before = GetClipboardSequenceNumber();
    PostMessageW(ruler.Window(), WM_COMMAND, ID_COPY, 0);
    const bool changed = PumpUntil([&] { return GetClipboardSequenceNumber() != before; }, 5000);
    ruler.Settle();
    return changed;
}

// The Save dialog, once the copy delay has passed: found by its title.
HWND WaitForSaveDialog(const RulerSession& ruler)
{
    HWND dialog = nullptr;
    PumpUntil([&] { return (dialog = ruler.FindOwnWindow(L"Save Picture")) != nullptr; }, 5000);
    ruler.Settle();
    return dialog;
}

// The dialog's file name field: the edit, at whatever depth, that holds the offered name.
HWND FileNameField(HWND dialog)
{
    struct Search {
        HWND found = nullptr;
    } search;
    EnumChildWindows(
        dialog,
        [](HWND child, LPARAM lParam) -> BOOL {
            wchar_t cls[32] = {};
            GetClassNameW(child, cls, 32);
            if (_wcsicmp(cls, L"Edit") != 0 || TextOf(child).rfind(L"Mensuro-", 0) != 0) return TRUE;
            reinterpret_cast<Search*>(lParam)->found = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Types a path into the Save dialog and presses Save.
void SaveAs(HWND dialog, HWND field, const std::wstring& path)
{
    SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    Answer(dialog, IDOK);
}

// A top-level window of the program with a button of this id (a question's box).
HWND WindowWithButton(const RulerSession& ruler, int buttonId)
{
    struct Search {
        DWORD pid;
        int id;
        HWND found;
    } search = {ruler.ProcessId(), buttonId, nullptr};
    EnumWindows(
        [](HWND window, LPARAM lParam) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lParam);
            DWORD pid = 0;
            GetWindowThreadProcessId(window, &pid);
            if (pid != s->pid || !IsWindowVisible(window) || !GetDlgItem(window, s->id)) return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring TempFolder()
{
    wchar_t base[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, base);
    const std::wstring folder = std::wstring(base) + L"mensuro-pictures-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

class PictureCopy : public testing::Test {
protected:
    void SetUp() override
    {
        MensuroRegistry().Clear();
        auto reg = MensuroRegistry();
        // A 201 x 120 inner area; no coordinate tooltip to come and go in the picture.
        reg.SetDword(kSection, "LEFT", m_ruler.left);
        reg.SetDword(kSection, "TOP", m_ruler.top);
        reg.SetDword(kSection, "RIGHT", m_ruler.right);
        reg.SetDword(kSection, "BOTTOM", m_ruler.bottom);
        reg.SetDword(kSection, "Option", 0x00D);
    }
    void TearDown() override { MensuroRegistry().Clear(); }

    const RECT m_ruler = {100, 100, 100 + 201 + 2 * kS, 100 + 120 + 2 * kS};
    const int m_w = 201, m_h = 120;
};

} // namespace

TEST_F(PictureCopy, PngBesideTheDibAndMeasurementsBelowAndRightOfThePlainPicture)
{
    SolidWindow backdrop({50, 50, 600, 500}, kBackdrop);
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    // Guide lines at x = 30 (top bar) and y = 20 (left bar), added as a user does.
    UserInput::DoubleClick(m_ruler.left + kS + 30, m_ruler.top + 30);
    UserInput::DoubleClick(m_ruler.left + 30, m_ruler.top + kS + 20);
    UserInput::MoveTo(700, 700);
    ruler.Settle();

    ASSERT_TRUE(CopyNow(ruler));
    const Picture plain = FromDib(ClipboardData(CF_DIB));
    ASSERT_EQ(m_w, plain.width);
    ASSERT_EQ(m_h, plain.height);
    const Picture plainPng = FromPng(ClipboardData(RegisterClipboardFormatW(L"PNG")));
    EXPECT_TRUE(plainPng == plain) << "the PNG is the same picture, pixel for pixel";

    // Include Measurements through Copy Setting.
    HWND dialog = OpenDialog(ruler, ID_COPY_SETTING, L"Copy Setting");
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(BST_UNCHECKED, SendDlgItemMessageW(dialog, IDC_INCLUDE_MEASUREMENTS, BM_GETCHECK, 0, 0));
    SendDlgItemMessageW(dialog, IDC_INCLUDE_MEASUREMENTS, BM_CLICK, 0, 0);
    ASSERT_TRUE(CloseDialog(ruler, dialog, IDOK));

    ASSERT_TRUE(CopyNow(ruler));
    const Picture measured = FromDib(ClipboardData(CF_DIB));
    ASSERT_EQ(m_w + kS, measured.width);
    ASSERT_EQ(m_h + kS, measured.height);
    EXPECT_TRUE(measured.TopLeftEquals(plain)) << "the picture itself is the plain copy";
    EXPECT_TRUE(FromPng(ClipboardData(RegisterClipboardFormatW(L"PNG"))) == measured);

    // Bottom band: marks at both ends and at the line, full height at the ends only.
    for (int x : {0, 30, m_w - 1}) EXPECT_EQ(kRed, measured.At(x, m_h + 2)) << x;
    EXPECT_EQ(kRed, measured.At(0, m_h + kS - 2));
    EXPECT_EQ(kWhite, measured.At(30, m_h + kS - 2));
    EXPECT_EQ(kWhite, measured.At(15, m_h + 2));
    // Right band: the same for the line at y = 20.
    for (int y : {0, 20, m_h - 1}) EXPECT_EQ(kRed, measured.At(m_w + 2, y)) << y;
    EXPECT_EQ(kWhite, measured.At(m_w + 2, 10));
    EXPECT_EQ(kWhite, measured.At(m_w + kS - 1, m_h + kS - 1)) << "the corner";
    // Numbers: the gap 171 between the line and the far end, and the whole 201 below it.
    const int half = kS / 2;
    EXPECT_GT(measured.Count({100, m_h + 1, 140, m_h + half}, kRed), 40 + 10);
    EXPECT_GT(measured.Count({80, m_h + half + 1, 120, m_h + kS}, kRed), 40 + 10);

    EXPECT_EQ(0u, ruler.Exit());
    EXPECT_EQ(0x00Du | 0x800u, MensuroRegistry().Dword(kSection, "Option").value_or(0));
}

TEST_F(PictureCopy, SavePictureWritesThePngNamedInTheDialogAndReportsAFailedWrite)
{
    SolidWindow backdrop({50, 50, 600, 500}, kBackdrop);
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());

    // Through the context menu, as a user picks it.
    HWND menu = OpenContextMenu(ruler, m_ruler.left + kS + 100, m_ruler.top + kS / 2);
    ASSERT_NE(nullptr, menu);
    ASSERT_TRUE(ChooseMenuItem(menu, kSavePictureItem));
    HWND dialog = WaitForSaveDialog(ruler);
    ASSERT_NE(nullptr, dialog);
    HWND field = FileNameField(dialog);
    ASSERT_NE(nullptr, field) << "the offered name is Mensuro-...";
    const std::wstring offered = TextOf(field);
    EXPECT_EQ(27u, offered.size()) << "Mensuro-YYYYMMDD-HHMMSS.png";
    EXPECT_EQ(L".png", offered.substr(offered.size() - 4));

    const std::wstring path = TempFolder() + L"\\measured.png";
    DeleteFileW(path.c_str());
    SaveAs(dialog, field, path);
    ASSERT_TRUE(PumpUntil([&] { return FromPng(FileBytes(path)).width > 0; }, 5000));
    const Picture saved = FromPng(FileBytes(path));
    EXPECT_EQ(m_w, saved.width);
    EXPECT_EQ(m_h, saved.height);
    EXPECT_EQ(kBackdrop, saved.At(m_w / 2, m_h / 2));
    EXPECT_EQ(nullptr, ruler.FindMessageBox()) << "a save that worked says nothing";

    // A file another program holds open: the dialog asks to replace it, the write fails, and
    // the failure is reported. (Under Wine a folder refused to the writer, /proc or /sys, is
    // refused by the dialog too, and read-only attributes do not stop root.)
    const std::wstring busy = TempFolder() + L"\\busy.png";
    const HANDLE held = CreateFileW(busy.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    PostMessageW(ruler.Window(), WM_COMMAND, ID_SAVE_PICTURE, 0);
    dialog = WaitForSaveDialog(ruler);
    ASSERT_NE(nullptr, dialog);
    field = FileNameField(dialog);
    ASSERT_NE(nullptr, field);
    SaveAs(dialog, field, busy);
    HWND replace = nullptr;
    PumpUntil([&] { return (replace = WindowWithButton(ruler, IDYES)) != nullptr; }, 5000);
    ASSERT_NE(nullptr, replace) << "overwrite asked";
    EXPECT_TRUE(Answer(replace, IDYES));
    HWND box = nullptr;
    PumpUntil([&] { return (box = ruler.FindMessageBox()) != nullptr; }, 5000);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ(L"The picture could not be saved. ", TextOf(GetDlgItem(box, 0xFFFF)));
    EXPECT_TRUE(Answer(box, IDOK));
    CloseHandle(held);
    DeleteFileW(busy.c_str());
    DeleteFileW(path.c_str());
}
