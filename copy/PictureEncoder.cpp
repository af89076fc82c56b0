#include "copy/PictureEncoder.h"

#include "copy/CaptureSurface.h"
#include "framework/DibLayout.h"

#include <objbase.h>
#include <wincodec.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>

namespace {

// Holds one reference to a COM object.
template <class T>
class ComRef {
public:
    ComRef() = default;
    ~ComRef()
    {
        if (m_object) m_object->Release();
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    T* operator->() const { return m_object; }
    T* get() const { return m_object; }
    T** put() { return &m_object; }

private:
    T* m_object = nullptr;
};

// COM for the length of a scope, in whatever mode the thread already has it.
class ComScope {
public:
    ComScope() : m_result(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComScope()
    {
        if (SUCCEEDED(m_result)) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    // A thread already in the other mode can still use the encoder.
    bool Ready() const { return SUCCEEDED(m_result) || m_result == RPC_E_CHANGED_MODE; }

private:
    HRESULT m_result;
};

// Locks a global block for the length of a scope.
class LockedBlock {
public:
    explicit LockedBlock(HGLOBAL block) : m_block(block), m_bytes(static_cast<unsigned char*>(GlobalLock(block))) {}
    ~LockedBlock()
    {
        if (m_bytes) GlobalUnlock(m_block);
    }
    LockedBlock(const LockedBlock&) = delete;
    LockedBlock& operator=(const LockedBlock&) = delete;
    unsigned char* Bytes() const { return m_bytes; }

private:
    HGLOBAL m_block;
    unsigned char* m_bytes;
};

const GUID& ContainerOf(PictureFormat format)
{
    switch (format) {
    case PictureFormat::Bmp: return GUID_ContainerFormatBmp;
    case PictureFormat::Jpeg: return GUID_ContainerFormatJpeg;
    case PictureFormat::Tiff: return GUID_ContainerFormatTiff;
    case PictureFormat::Png: break;
    }
    return GUID_ContainerFormatPng;
}

// Screen pictures are flat colour: PNG's Sub filter packs them about as well as the
// adaptive choice at a fraction of its time. An encoder without the option ignores it.
void ChooseOptions(PictureFormat format, IPropertyBag2* options)
{
    if (!options || format != PictureFormat::Png) return;
    PROPBAG2 name = {};
    name.pstrName = const_cast<LPOLESTR>(L"FilterOption");
    VARIANT value = {};
    value.vt = VT_UI1;
    value.bVal = WICPngFilterSub;
    options->Write(1, &name, &value);
}

// The 24-bit row `y` counted from the top; null when it cannot be read.
using RowSource = std::function<const unsigned char*(LONG y)>;

// Writes the rows, top row first, as one frame of `format` into `stream`.
HRESULT WriteFrame(IStream* stream, PictureFormat format, LONG width, LONG height, uint32_t stride,
                   const RowSource& rowFromTop)
{
    ComRef<IWICImagingFactory> factory;
    HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                  reinterpret_cast<void**>(factory.put()));
    if (FAILED(hr)) return hr;
    ComRef<IWICBitmapEncoder> encoder;
    if (FAILED(hr = factory->CreateEncoder(ContainerOf(format), nullptr, encoder.put()))) return hr;
    if (FAILED(hr = encoder->Initialize(stream, WICBitmapEncoderNoCache))) return hr;
    ComRef<IWICBitmapFrameEncode> frame;
    ComRef<IPropertyBag2> options;
    if (FAILED(hr = encoder->CreateNewFrame(frame.put(), options.put()))) return hr;
    ChooseOptions(format, options.get());
    if (FAILED(hr = frame->Initialize(options.get()))) return hr;
    if (FAILED(hr = frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height)))) return hr;
    WICPixelFormatGUID pixels = GUID_WICPixelFormat24bppBGR;
    // The encoder may answer with a format it prefers; the rows are only this one.
    if (FAILED(hr = frame->SetPixelFormat(&pixels))) return hr;
    if (!IsEqualGUID(pixels, GUID_WICPixelFormat24bppBGR)) return WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT;
    for (LONG y = 0; y < height; ++y) {
        auto* row = const_cast<BYTE*>(rowFromTop(y));
        if (!row) return E_FAIL;
        if (FAILED(hr = frame->WritePixels(1, stride, stride, row))) return hr;
    }
    if (FAILED(hr = frame->Commit())) return hr;
    return encoder->Commit();
}

} // namespace

UINT PngClipboardFormat()
{
    return RegisterClipboardFormatW(L"PNG");
}

namespace {

// The file of `format` made of the rows, in a new block the caller owns (see EncodePicture).
HGLOBAL EncodeRows(LONG width, LONG height, uint32_t stride, const RowSource& rowFromTop, PictureFormat format,
                   SIZE_T& size, HRESULT& error)
{
    const ComScope com;
    if (!com.Ready()) {
        error = CO_E_NOTINITIALIZED;
        return nullptr;
    }
    // The stream leaves its block to us: it becomes the result.
    ComRef<IStream> stream;
    if (FAILED(error = CreateStreamOnHGlobal(nullptr, FALSE, stream.put()))) return nullptr;
    // The file is as long as the stream, wherever the encoder left its position; the
    // stream's block grows in steps and keeps what it has beyond that.
    STATSTG stat = {};
    error = WriteFrame(stream.get(), format, width, height, stride, rowFromTop);
    if (SUCCEEDED(error)) error = stream->Stat(&stat, STATFLAG_NONAME);
    if (SUCCEEDED(error) && stat.cbSize.QuadPart == 0) error = E_FAIL;
    if (SUCCEEDED(error)) error = stream->SetSize(stat.cbSize);
    // Asked only now: growing may have given the stream a new block.
    HGLOBAL file = nullptr;
    if (FAILED(GetHGlobalFromStream(stream.get(), &file))) file = nullptr;
    if (SUCCEEDED(error) && file && GlobalSize(file) >= stat.cbSize.QuadPart) {
        size = static_cast<SIZE_T>(stat.cbSize.QuadPart);
        return file;
    }
    if (SUCCEEDED(error)) error = E_OUTOFMEMORY;
    if (file) GlobalFree(file);
    return nullptr;
}

} // namespace

HGLOBAL EncodePicture(HGLOBAL dib, PictureFormat format, SIZE_T& size, HRESULT& error)
{
    size = 0;
    error = E_INVALIDARG;
    if (!dib) return nullptr;
    const LockedBlock source(dib);
    if (!source.Bytes() || GlobalSize(dib) < sizeof(BITMAPINFOHEADER)) return nullptr;
    BITMAPINFOHEADER header;
    std::memcpy(&header, source.Bytes(), sizeof(header));
    DibLayout layout;
    if (header.biSize != sizeof(header) || header.biCompression != BI_RGB || header.biBitCount != 24 ||
        !ComputeDibLayout(header.biWidth, header.biHeight, 24, layout) ||
        GlobalSize(dib) < sizeof(header) + layout.imageSize)
        return nullptr;
    // The DIB keeps its bottom row first.
    const unsigned char* rows = source.Bytes() + sizeof(header);
    return EncodeRows(layout.width, layout.height, layout.stride,
                      [&](LONG y) { return rows + static_cast<size_t>(layout.height - 1 - y) * layout.stride; },
                      format, size, error);
}

HGLOBAL EncodePng(const CCaptureSurface& surface)
{
    DibLayout layout;
    if (!surface.DC() || !ComputeDibLayout(surface.Width(), surface.Height(), 24, layout)) return nullptr;
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = layout.width;
    header.biHeight = layout.height; // bottom-up, as the rows are asked for
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    // Read in bands of rows as the encoder goes: no block of the whole picture is made.
    constexpr LONG kBand = 64;
    std::vector<unsigned char> band(static_cast<size_t>(kBand) * layout.stride);
    LONG bandTop = 0, bandRows = 0;
    const RowSource rowFromTop = [&](LONG y) -> const unsigned char* {
        if (y >= bandTop + bandRows) {
            bandTop = y;
            bandRows = std::min<LONG>(kBand, layout.height - y);
            // The band's rows, `first` up from the bottom, arrive bottom row first.
            const LONG first = layout.height - bandTop - bandRows;
            if (!surface.ReadRows(&header, first, bandRows, band.data())) return nullptr;
        }
        return band.data() + static_cast<size_t>(bandTop + bandRows - 1 - y) * layout.stride;
    };
    SIZE_T size = 0;
    HRESULT error = S_OK;
    return EncodeRows(layout.width, layout.height, layout.stride, rowFromTop, PictureFormat::Png, size, error);
}

HGLOBAL EncodePng(HGLOBAL dib, SIZE_T& size)
{
    HRESULT error = S_OK;
    return EncodePicture(dib, PictureFormat::Png, size, error);
}

HGLOBAL EncodePng(HGLOBAL dib)
{
    SIZE_T size = 0;
    return EncodePng(dib, size);
}
