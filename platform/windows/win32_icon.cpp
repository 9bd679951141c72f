// The window's icon: a 32-bit colour bitmap with its alpha, and an empty mask.
#include "platform/windows/win32_icon.h"

constexpr int LARGEST_ICON_SIDE = 256;
// A monochrome bitmap's rows are whole 16-bit words.
constexpr int MASK_SIZE = (LARGEST_ICON_SIDE + 15) / 16 * 2 * LARGEST_ICON_SIDE;

namespace {
HBITMAP colourBitmap(const uint32_t* pixels, int side) {
    BITMAPINFO info{};
    info.bmiHeader.biSize        = sizeof info.bmiHeader;
    info.bmiHeader.biWidth       = side;
    info.bmiHeader.biHeight      = -side; // top row first, as the pixels are
    info.bmiHeader.biPlanes      = 1;
    info.bmiHeader.biBitCount    = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits                   = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return nullptr;
    // 0xAARRGGBB in memory is B, G, R, A: the DIB's own order.
    auto* into = static_cast<uint32_t*>(bits);
    for (int i = 0; i < side * side; ++i)
        into[i] = pixels[i];
    return bitmap;
}
} // namespace

HICON createWindowIcon(const uint32_t* pixels, int side) {
    if (!pixels || side <= 0 || side > LARGEST_ICON_SIDE) return nullptr;
    static const unsigned char EMPTY_MASK[MASK_SIZE] = {};
    ICONINFO icon{};
    icon.fIcon    = TRUE;
    icon.hbmColor = colourBitmap(pixels, side);
    icon.hbmMask  = CreateBitmap(side, side, 1, 1, EMPTY_MASK);
    HICON made    = icon.hbmColor && icon.hbmMask ? CreateIconIndirect(&icon) : nullptr;
    // The icon keeps copies of both bitmaps.
    if (icon.hbmColor) DeleteObject(icon.hbmColor);
    if (icon.hbmMask) DeleteObject(icon.hbmMask);
    return made;
}
