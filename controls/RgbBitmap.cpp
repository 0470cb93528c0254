#include "controls/RgbBitmap.h"

#include <cstring>

RgbBitmap::RgbBitmap(int width, int height) : DibBitmap(width, height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    createSection(&info, 3);
    std::memset(bits(), 0, static_cast<size_t>(stride()) * static_cast<size_t>(height));
}

RgbBitmap::~RgbBitmap() = default;

int RgbBitmap::setPixel(int x, int y, COLORREF value)
{
    BYTE* line = row(y);
    if (line == nullptr || x < 0 || x >= width())
        return 0;
    BYTE* pixel = line + 3 * x;
    pixel[0] = static_cast<BYTE>(value);
    pixel[1] = static_cast<BYTE>(value >> 8);
    pixel[2] = static_cast<BYTE>(value >> 16);
    return 1;
}

int RgbBitmap::halveInto(RgbBitmap& target) const
{
    if (target.width() * 2 < width() || target.height() * 2 < height())
        return 0;
    const int pairs = width() / 2;
    // Target row k and pixel j never lie after the source bytes still to be
    // read, so the same bitmap can be its own target.
    for (int k = 0; k < height() / 2; ++k) {
        const BYTE* upper = row(2 * k);
        const BYTE* lower = row(2 * k + 1);
        BYTE* out = target.row(k);
        for (int j = 0; j < pairs; ++j, upper += 6, lower += 6, out += 3) {
            for (int channel = 0; channel < 3; ++channel) {
                const int sum = upper[channel] + upper[channel + 3] + lower[channel] + lower[channel + 3];
                out[channel] = static_cast<BYTE>(sum >> 2);
            }
        }
    }
    return 1;
}
