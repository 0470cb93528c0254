#include "controls/DibBitmap.h"

#include <climits>
#include <cstring>
#include <vector>

#include "foundation/KernelHandle.h"
#include "toolkit/SystemLibraries.h"

namespace {

// FILE_FLAG_OPEN_NO_RECALL: never pull a file back from remote storage.
constexpr DWORD openNoRecall = 0x00100000;
constexpr int infoHeaderSize = 40;
constexpr int fileHeaderSize = 14;
constexpr int bitfieldMasksSize = 12;
constexpr int maxTableEntries = 256;

static_assert(sizeof(BITMAPINFOHEADER) == infoHeaderSize, "BMP info header");
static_assert(sizeof(BITMAPFILEHEADER) == fileHeaderSize, "BMP file header");

DWORD imageSize(const BITMAPINFOHEADER& header)
{
    const DWORD rowBytes = static_cast<DWORD>((header.biBitCount * header.biWidth * header.biPlanes + 31) / 32) * 4;
    return rowBytes * static_cast<DWORD>(header.biHeight);
}

// Table size of the saved file, masks of BI_BITFIELDS included.
DWORD colourTableSize(const BITMAPINFOHEADER& header)
{
    const int bitsPerPixel = header.biBitCount * header.biPlanes;
    DWORD size = 0;
    if (header.biClrUsed != 0)
        size = header.biClrUsed * 4;
    else if (bitsPerPixel <= 8)
        size = (1u << bitsPerPixel) * 4;
    if (header.biCompression == BI_BITFIELDS)
        size += bitfieldMasksSize;
    return size;
}

} // namespace

DibBitmap::DibBitmap(int width, int height)
    : dc_(CreateCompatibleDC(nullptr)), width_(width), height_(height)
{
}

DibBitmap::~DibBitmap() = default;

void DibBitmap::createSection(BITMAPINFO* info, int bytesPerPixel)
{
    // Sizes whose pixel memory cannot be addressed with 32-bit strides are
    // refused like a failed section rather than left to overflow.
    if (width_ <= 0 || height_ <= 0 || width_ > INT_MAX / 4)
        throw 1;
    const long long stride = static_cast<long long>(roundedWidth(width_)) * bytesPerPixel;
    if (stride * height_ > INT_MAX)
        throw 1;
    info->bmiHeader.biWidth = roundedWidth(width_);
    info->bmiHeader.biHeight = height_;
    void* bits = nullptr;
    bitmap_.reset(CreateDIBSection(dc_.get(), info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap_ || bits == nullptr)
        throw 1;
    bits_ = static_cast<BYTE*>(bits);
    stride_ = static_cast<int>(stride);
    selection_.emplace(dc_.get(), bitmap_.get());
}

bool DibBitmap::writeBits(HANDLE file, const void* buffer, DWORD size)
{
    DWORD written = 0;
    return WriteFile(file, buffer, size, &written, nullptr) && written == size;
}

BOOL DibBitmap::draw(HDC dc, int x, int y, const RECT* source, DWORD rop)
{
    if (source == nullptr)
        return BitBlt(dc, x, y, width_, height_, dc_.get(), 0, 0, rop);
    return BitBlt(dc, x, y, source->right - source->left, source->bottom - source->top,
                  dc_.get(), source->left, source->top, rop);
}

BOOL DibBitmap::stretchDraw(HDC dc, const RECT& target, DWORD rop)
{
    return StretchBlt(dc, target.left, target.top, target.right - target.left,
                      target.bottom - target.top, dc_.get(), 0, 0, width_, height_, rop);
}

BOOL DibBitmap::drawTransparent(HDC dc, int x, int y, COLORREF key, int width, int height)
{
    if (width == 0 && height == 0) {
        width = width_;
        height = height_;
    }
    return transparentBlt(dc, x, y, width, height, dc_.get(), 0, 0, width_, height_, key);
}

BYTE* DibBitmap::row(int y) const
{
    if (y < 0 || y >= height_ || bits_ == nullptr)
        return nullptr;
    return bits_ + static_cast<ptrdiff_t>(height_ - y - 1) * stride_;
}

bool DibBitmap::saveBmp(const char* fileName)
{
    KernelHandle file(CreateFileA(fileName, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  openNoRecall, nullptr));
    if (!file.isOpen() || GetFileType(file.get()) != FILE_TYPE_DISK)
        return false;
    DIBSECTION section;
    if (GetObjectA(bitmap_.get(), sizeof(section), &section) != sizeof(section))
        return false;
    return writeHeaders(file.get(), section)
        && writeBits(file.get(), bits_, imageSize(section.dsBmih));
}

bool DibBitmap::writeHeaders(HANDLE file, const DIBSECTION& section)
{
    BITMAPINFOHEADER header = section.dsBmih;
    const int bitsPerPixel = header.biBitCount * header.biPlanes;

    std::vector<BYTE> block(infoHeaderSize + bitfieldMasksSize + maxTableEntries * sizeof(RGBQUAD));
    BYTE* table = block.data() + infoHeaderSize;
    if (header.biCompression == BI_BITFIELDS) {
        std::memcpy(table, section.dsBitfields, bitfieldMasksSize);
        table += bitfieldMasksSize;
    }
    if (bitsPerPixel > 8) {
        // A table of greys keeps palette-only readers able to show the image.
        for (int i = 0; i < maxTableEntries; ++i) {
            const RGBQUAD grey = {static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i), 0};
            std::memcpy(table + i * sizeof(RGBQUAD), &grey, sizeof(grey));
        }
        header.biClrUsed = maxTableEntries;
    } else {
        GetDIBColorTable(dc_.get(), 0, 1u << bitsPerPixel, reinterpret_cast<RGBQUAD*>(table));
    }
    const DWORD tableSize = colourTableSize(header);
    if (tableSize > block.size() - infoHeaderSize)
        return false;
    std::memcpy(block.data(), &header, infoHeaderSize);

    BITMAPFILEHEADER fileHeader = {};
    fileHeader.bfType = 0x4D42;
    fileHeader.bfSize = imageSize(header) + tableSize + infoHeaderSize + fileHeaderSize;
    fileHeader.bfOffBits = infoHeaderSize + tableSize + fileHeaderSize;
    return writeBits(file, &fileHeader, fileHeaderSize)
        && writeBits(file, block.data(), tableSize + infoHeaderSize);
}
