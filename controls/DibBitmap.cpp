#include "controls/DibBitmap.h"

#include <climits>
#include <cstring>
#include <vector>

namespace {

// FILE_FLAG_OPEN_NO_RECALL: never pull a file back from remote storage.
constexpr DWORD openNoRecall = 0x00100000;
constexpr int infoHeaderSize = 40;
constexpr int fileHeaderSize = 14;
constexpr int bitfieldMasksSize = 12;
constexpr int maxTableEntries = 256;

static_assert(sizeof(BITMAPINFOHEADER) == infoHeaderSize, "BMP info header");
static_assert(sizeof(BITMAPFILEHEADER) == fileHeaderSize, "BMP file header");

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    ~FileHandle() { if (isOpen()) CloseHandle(m_handle); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool isOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return m_handle; }

private:
    HANDLE m_handle;
};

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
    : m_dc(CreateCompatibleDC(nullptr)), m_width(width), m_height(height)
{
}

DibBitmap::~DibBitmap()
{
    if (m_dc != nullptr && m_previousBitmap != nullptr)
        SelectObject(m_dc, m_previousBitmap);
    if (m_bitmap != nullptr)
        DeleteObject(m_bitmap);
    if (m_dc != nullptr)
        DeleteDC(m_dc);
}

void DibBitmap::createSection(BITMAPINFO* info, int bytesPerPixel)
{
    // Sizes whose pixel memory cannot be addressed with 32-bit strides are
    // refused like a failed section rather than left to overflow.
    if (m_width <= 0 || m_height <= 0 || m_width > INT_MAX / 4)
        throw 1;
    const long long stride = static_cast<long long>(roundedWidth(m_width)) * bytesPerPixel;
    if (stride * m_height > INT_MAX)
        throw 1;
    info->bmiHeader.biWidth = roundedWidth(m_width);
    info->bmiHeader.biHeight = m_height;
    void* bits = nullptr;
    m_bitmap = CreateDIBSection(m_dc, info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (m_bitmap == nullptr || bits == nullptr)
        throw 1;
    m_bits = static_cast<BYTE*>(bits);
    m_stride = static_cast<int>(stride);
    m_previousBitmap = SelectObject(m_dc, m_bitmap);
}

bool DibBitmap::writeBits(HANDLE file, const void* buffer, DWORD size)
{
    DWORD written = 0;
    return WriteFile(file, buffer, size, &written, nullptr) && written == size;
}

BOOL DibBitmap::draw(HDC dc, int x, int y, const RECT* source, DWORD rop)
{
    if (source == nullptr)
        return BitBlt(dc, x, y, m_width, m_height, m_dc, 0, 0, rop);
    return BitBlt(dc, x, y, source->right - source->left, source->bottom - source->top,
                  m_dc, source->left, source->top, rop);
}

BOOL DibBitmap::stretchDraw(HDC dc, const RECT& target, DWORD rop)
{
    return StretchBlt(dc, target.left, target.top, target.right - target.left,
                      target.bottom - target.top, m_dc, 0, 0, m_width, m_height, rop);
}

BOOL DibBitmap::drawTransparent(HDC dc, int x, int y, COLORREF key, int width, int height)
{
    if (width == 0 && height == 0) {
        width = m_width;
        height = m_height;
    }
    return TransparentBlt(dc, x, y, width, height, m_dc, 0, 0, m_width, m_height, key);
}

BYTE* DibBitmap::row(int y) const
{
    if (y < 0 || y >= m_height || m_bits == nullptr)
        return nullptr;
    return m_bits + static_cast<ptrdiff_t>(m_height - y - 1) * m_stride;
}

bool DibBitmap::saveBmp(const char* fileName)
{
    FileHandle file(CreateFileA(fileName, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                openNoRecall, nullptr));
    if (!file.isOpen() || GetFileType(file.get()) != FILE_TYPE_DISK)
        return false;
    DIBSECTION section;
    if (GetObjectA(m_bitmap, sizeof(section), &section) != sizeof(section))
        return false;
    return writeHeaders(file.get(), section)
        && writeBits(file.get(), m_bits, imageSize(section.dsBmih));
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
        GetDIBColorTable(m_dc, 0, 1u << bitsPerPixel, reinterpret_cast<RGBQUAD*>(table));
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
