#pragma once

#include <windows.h>

// Encodes a packed CF_DIB (header, then bottom-up 24-bit rows) as a PNG file's bytes
// with the Windows Imaging Component. Returns a new GMEM_MOVEABLE block, owned by the
// caller, ready for the clipboard's "PNG" format or a file, and in `size` the file's
// length: the block may be longer. Null when the block is not such a DIB or the
// encoder fails.
HGLOBAL EncodePng(HGLOBAL dib, SIZE_T& size);
HGLOBAL EncodePng(HGLOBAL dib);

// The clipboard format programs paste PNG pictures from.
UINT PngClipboardFormat();
