// Pictures with their measurements: PNG beside the DIB on the clipboard, the dimension
// bands, and "Save Picture..." writing a PNG file.
#include "e2e/ClipboardProbe.h"
#include "e2e/RulerSession.h"
#include "resources/resource.h"
#include "support/RegistryScope.h"
#include "support/TestPaths.h"

#include <gtest/gtest.h>

#include <objbase.h>
#include <knownfolders.h>
#include <shlobj.h>
#include <wincodec.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr int kS = 40;            // default ScaleSize, the bands' width too
constexpr int kW = 201, kH = 120; // the inner area
constexpr COLORREF kBackdrop = RGB(32, 144, 96), kRed = RGB(255, 0, 0), kWhite = RGB(255, 255, 255);
const RECT kRuler = {100, 100, 100 + kW + 2 * kS, 100 + kH + 2 * kS};

// A picture as COLORREFs, top row first.
struct Picture {
    int width = 0, height = 0;
    std::vector<COLORREF> pixels;
    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    int Count(const RECT& r, COLORREF c) const
    {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) n += At(x, y) == c;
        return n;
    }
    bool operator==(const Picture& o) const { return width == o.width && height == o.height && pixels == o.pixels; }
};

std::vector<unsigned char> ClipboardPng()
{
    return ClipboardData(RegisterClipboardFormatW(L"PNG"));
}

Picture FromDib(const std::vector<unsigned char>& dib)
{
    Picture p;
    BITMAPINFOHEADER h = {};
    if (dib.size() >= sizeof(h)) std::memcpy(&h, dib.data(), sizeof(h));
    const size_t stride = (h.biWidth * 3 + 3) / 4 * 4;
    if (h.biBitCount != 24 || dib.size() < sizeof(h) + stride * h.biHeight) return p;
    p.width = h.biWidth;
    p.height = h.biHeight;
    for (int y = p.height - 1; y >= 0; --y) {
        const unsigned char* row = dib.data() + sizeof(h) + y * stride;
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
    IWICFormatConverter* bgr = nullptr;
    UINT w = 0, h = 0;
    if (!png.empty() &&
        SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                   reinterpret_cast<void**>(&factory))) &&
        SUCCEEDED(factory->CreateStream(&stream)) &&
        SUCCEEDED(stream->InitializeFromMemory(const_cast<BYTE*>(png.data()), static_cast<DWORD>(png.size()))) &&
        SUCCEEDED(factory->CreateDecoderFromStream(stream, nullptr, WICDecodeMetadataCacheOnDemand, &decoder)) &&
        SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(factory->CreateFormatConverter(&bgr)) &&
        SUCCEEDED(bgr->Initialize(frame, GUID_WICPixelFormat24bppBGR, WICBitmapDitherTypeNone, nullptr, 0,
                                  WICBitmapPaletteTypeCustom)) &&
        SUCCEEDED(bgr->GetSize(&w, &h))) {
        std::vector<BYTE> bytes(static_cast<size_t>(w) * h * 3);
        if (SUCCEEDED(bgr->CopyPixels(nullptr, w * 3, static_cast<UINT>(bytes.size()), bytes.data()))) {
            p.width = static_cast<int>(w);
            p.height = static_cast<int>(h);
            for (size_t i = 0; i < bytes.size(); i += 3) p.pixels.push_back(RGB(bytes[i + 2], bytes[i + 1], bytes[i]));
        }
    }
    for (IUnknown* object : std::initializer_list<IUnknown*>{bgr, frame, decoder, stream, factory})
        if (object) object->Release();
    CoUninitialize();
    return p;
}

Picture PngFile(const std::wstring& path)
{
    std::ifstream file(path.c_str(), std::ios::binary);
    return FromPng({std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()});
}

// Runs "Copy" and waits for the clipboard to change (its reads wait for the ruler to close it).
bool CopyNow(const RulerSession& ruler)
{
    const DWORD before = GetClipboardSequenceNumber();
    PostMessageW(ruler.Window(), WM_COMMAND, ID_COPY, 0);
    return PumpUntil([&] { return GetClipboardSequenceNumber() != before; }, 5000);
}

// A visible window of the program, at any depth, for which found() holds.
HWND FindOwn(const RulerSession& ruler, bool children, bool (*found)(HWND))
{
    struct Search {
        DWORD pid;
        bool children;
        bool (*found)(HWND);
        HWND hit;
    } search = {ruler.ProcessId(), children, found, nullptr};
    static const WNDENUMPROC visit = [](HWND window, LPARAM lParam) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lParam);
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        if (pid != s->pid || !IsWindowVisible(window)) return TRUE;
        if (s->found(window)) s->hit = window;
        if (!s->hit && s->children) EnumChildWindows(window, visit, lParam);
        return s->hit == nullptr;
    };
    PumpUntil([&] { return EnumWindows(visit, reinterpret_cast<LPARAM>(&search)), search.hit != nullptr; }, 5000);
    return search.hit;
}

// The file name field of the Save dialog once it is open, holding the offered name; null if
// the dialog does not open.
HWND SaveDialogField(const RulerSession& ruler)
{
    return FindOwn(ruler, true, [](HWND w) {
        wchar_t cls[16] = {};
        GetClassNameW(w, cls, 16);
        return _wcsicmp(cls, L"Edit") == 0 && TextOf(w).rfind(L"Mensuro-", 0) == 0 &&
               TextOf(GetAncestor(w, GA_ROOT)) == L"Save Picture";
    });
}

// Waits for the Save dialog and types `path` into its file name field, which first holds
// the offered name; returns that name.
std::wstring SaveAs(const RulerSession& ruler, const std::wstring& path)
{
    const HWND field = SaveDialogField(ruler);
    if (!field) return L"";
    const std::wstring offered = TextOf(field);
    SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    Answer(GetAncestor(field, GA_ROOT), IDOK);
    return offered;
}

std::wstring PicturesFolder()
{
    PWSTR path = nullptr;
    std::wstring folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Pictures, 0, nullptr, &path)) && path) folder = path;
    CoTaskMemFree(path);
    return folder;
}

class PictureCopy : public testing::Test {
protected:
    void SetUp() override
    {
        StartAfreshAt(kRuler);
        MensuroRegistry().SetDword("CMensuroDlg", "Option", 0x00D); // no coordinate tooltip in the picture
    }
    void TearDown() override { MensuroRegistry().Clear(); }
    SolidWindow m_backdrop{{50, 50, 600, 500}, kBackdrop};
};

} // namespace

TEST_F(PictureCopy, PngBesideTheDibAndMeasurementsBelowAndRightOfThePlainPicture)
{
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    // Guide lines at x = 30 (top bar) and y = 20 (left bar), added as a user does.
    UserInput::DoubleClick(kRuler.left + kS + 30, kRuler.top + 30);
    UserInput::DoubleClick(kRuler.left + 30, kRuler.top + kS + 20);
    UserInput::MoveTo(700, 700);
    ASSERT_TRUE(WaitForPixel(kRuler.left + kS + 30, kRuler.top + kS + 60, RGB(0, 255, 255)));
    ASSERT_TRUE(WaitForPixel(kRuler.left + kS + 100, kRuler.top + kS + 20, RGB(0, 255, 255)));

    ASSERT_TRUE(CopyNow(ruler));
    const Picture plain = FromDib(ClipboardData(CF_DIB));
    ASSERT_EQ(kW, plain.width);
    ASSERT_EQ(kH, plain.height);
    EXPECT_TRUE(FromPng(ClipboardPng()) == plain) << "the PNG is the same picture, pixel for pixel";

    HWND dialog = OpenDialog(ruler, ID_COPY_SETTING, L"Copy Setting");
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(BST_UNCHECKED, SendDlgItemMessageW(dialog, IDC_INCLUDE_MEASUREMENTS, BM_GETCHECK, 0, 0));
    SendDlgItemMessageW(dialog, IDC_INCLUDE_MEASUREMENTS, BM_CLICK, 0, 0);
    ASSERT_TRUE(CloseDialog(ruler, dialog, IDOK));

    ASSERT_TRUE(CopyNow(ruler));
    const Picture measured = FromDib(ClipboardData(CF_DIB));
    // The gap of 20 above the line at y = 20 is too narrow for its number between its marks:
    // the number stands on a staggered row, which makes the right band half a band wider.
    ASSERT_EQ(kW + kS + kS / 2, measured.width);
    ASSERT_EQ(kH + kS, measured.height);
    bool same = true;
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x) same = same && measured.At(x, y) == plain.At(x, y);
    EXPECT_TRUE(same) << "above and left of the bands: the plain copy";

    // Marks at both ends and at the line, across both rows at the ends only; the same for y = 20.
    for (int x : {0, 30, kW - 1}) EXPECT_EQ(kRed, measured.At(x, kH + 2)) << x;
    EXPECT_EQ(kRed, measured.At(0, kH + kS - 2));
    EXPECT_EQ(kWhite, measured.At(30, kH + kS - 2));
    EXPECT_EQ(kWhite, measured.At(15, kH + 2));
    for (int y : {0, 20, kH - 1}) EXPECT_EQ(kRed, measured.At(kW + 2, y)) << y;
    EXPECT_EQ(kWhite, measured.At(kW + 2, 10));
    EXPECT_EQ(kWhite, measured.At(kW + kS - 1, kH + kS - 1)) << "the corner";
    // Numbers on the dimension lines (40 pixels of line in each box): the gap 171 after the
    // line, and the whole 201 on the second row.
    EXPECT_GT(measured.Count({100, kH + 1, 140, kH + kS / 2}, kRed), 40 + 10);
    EXPECT_GT(measured.Count({80, kH + kS / 2 + 1, 120, kH + kS}, kRed), 40 + 10);

    // The PNG, not asked for yet, is the picture as it was copied: the screen changes, and the
    // ruler ends before any program asks for it.
    PostMessageW(ruler.Window(), WM_COMMAND, ID_DELETE_ALL_LINES, 0);
    EXPECT_TRUE(WaitForPixel(kRuler.left + kS + 30, kRuler.top + kS + 60, kBackdrop));
    EXPECT_EQ(0u, ruler.Exit());
    EXPECT_EQ(0x00Du | 0x800u, MensuroRegistry().Dword("CMensuroDlg", "Option").value_or(0));
    EXPECT_TRUE(FromPng(ClipboardPng()) == measured) << "a paste after Exit";
}

TEST_F(PictureCopy, SavePictureWritesThePngNamedInTheDialogAndReportsAFailedWrite)
{
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring path = temp + std::wstring(L"mensuro-measured.png"), busy = temp + std::wstring(L"busy.png");
    DeleteFileW(path.c_str());

    // Through the context menu, as a user picks it.
    HWND menu = OpenContextMenu(ruler, kRuler.left + kS + 100, kRuler.top + kS / 2);
    ASSERT_NE(nullptr, menu);
    ASSERT_TRUE(ChooseMenuCommand(menu, ID_SAVE_PICTURE));
    const std::wstring offered = SaveAs(ruler, path);
    EXPECT_EQ(27u, offered.size()) << "Mensuro-YYYYMMDD-HHMMSS.png, not "
                                   << std::string(offered.begin(), offered.end());
    ASSERT_TRUE(PumpUntil([&] { return PngFile(path).width > 0; }, 5000));
    const Picture saved = PngFile(path);
    EXPECT_EQ(kW, saved.width);
    EXPECT_EQ(kH, saved.height);
    EXPECT_EQ(kBackdrop, saved.At(kW / 2, kH / 2));
    EXPECT_EQ(nullptr, ruler.FindMessageBox()) << "a save that worked says nothing";

    // A file another program holds open: replacing it is asked, the write fails and says so.
    // (Under Wine the folders refused to a writer, /proc and /sys, are refused by the dialog
    // itself, and read-only attributes do not stop root.)
    const HANDLE held = CreateFileW(busy.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    PostMessageW(ruler.Window(), WM_COMMAND, ID_SAVE_PICTURE, 0);
    EXPECT_FALSE(SaveAs(ruler, busy).empty());
    HWND replace = FindOwn(ruler, false, [](HWND w) { return GetDlgItem(w, IDYES) != nullptr; });
    ASSERT_NE(nullptr, replace) << "overwrite asked";
    EXPECT_TRUE(Answer(replace, IDYES));
    HWND box = nullptr;
    PumpUntil([&] { return (box = ruler.FindMessageBox()) != nullptr; }, 5000);
    ASSERT_NE(nullptr, box);
    // The set text, then the file and the system's reason.
    const std::wstring said = TextOf(box, 0xFFFF);
    EXPECT_EQ(0u, said.find(L"The picture could not be saved. ")) << said;
    EXPECT_NE(std::wstring::npos, said.find(busy)) << said;
    EXPECT_GT(said.size(), std::wstring(L"The picture could not be saved. \n\n").size() + busy.size() + 2) << said;
    EXPECT_TRUE(Answer(box, IDOK));
    CloseHandle(held);
    DeleteFileW(busy.c_str());
    DeleteFileW(path.c_str());
}

TEST_F(PictureCopy, CancelInTheSaveDialogWritesNothing)
{
    RulerSession ruler;
    ASSERT_TRUE(ruler.Started());
    HWND menu = OpenContextMenu(ruler, kRuler.left + kS + 100, kRuler.top + kS / 2);
    ASSERT_NE(nullptr, menu);
    ASSERT_TRUE(ChooseMenuCommand(menu, ID_SAVE_PICTURE));
    const HWND field = SaveDialogField(ruler);
    ASSERT_NE(nullptr, field);
    const std::wstring offered = TextOf(field);
    const HWND dialog = GetAncestor(field, GA_ROOT);
    UserInput::Key(VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(dialog); }));
    // Back in its message loop, the ruler has done all it does after the dialog.
    ruler.Sync();
    // A first save offers the Pictures folder; a bare name would land in the program's folder.
    for (const std::wstring& folder : {PicturesFolder(), ExeDirectory()})
        EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW((folder + L"\\" + offered).c_str()))
            << std::string(folder.begin(), folder.end());
    EXPECT_EQ(nullptr, ruler.FindMessageBox());
}
