#pragma once

#include "copy/PictureFormat.h"

#include <windows.h>

class CCaptureSurface;

// Encodes a packed CF_DIB (header, then bottom-up 24-bit rows) as a picture file's bytes
// of the given type with the Windows Imaging Component. Returns a new GMEM_MOVEABLE
// block, owned by the caller, ready for the clipboard's "PNG" format or a file, and in
// `size` the file's length: the block may be longer. Null when the block is not such a
// DIB or the encoder fails; then `error` holds the encoder's HRESULT (E_INVALIDARG for a
// block that is no such DIB).
HGLOBAL EncodePicture(HGLOBAL dib, PictureFormat format, SIZE_T& size, HRESULT& error);
HGLOBAL EncodePng(HGLOBAL dib, SIZE_T& size);
HGLOBAL EncodePng(HGLOBAL dib);
// The PNG of what the surface holds, read out a band of rows at a time; null on failure.
HGLOBAL EncodePng(const CCaptureSurface& surface);

// The clipboard format programs paste PNG pictures from.
UINT PngClipboardFormat();
