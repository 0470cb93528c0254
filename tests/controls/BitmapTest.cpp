#include "controls/PaletteBitmap.h"
#include "controls/RgbBitmap.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

BITMAP bitmapOf(const DibBitmap& image)
{
    BITMAP info = {};
    GetObjectA(GetCurrentObject(image.dc(), OBJ_BITMAP), sizeof(info), &info);
    return info;
}

std::string scratchFile(const char* name)
{
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + "t5_bitmap_" + std::to_string(GetCurrentProcessId()) + "_" + name;
}

std::vector<BYTE> readFile(const std::string& path)
{
    std::vector<BYTE> content;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return content;
    content.resize(GetFileSize(file, nullptr));
    DWORD read = 0;
    ReadFile(file, content.data(), static_cast<DWORD>(content.size()), &read, nullptr);
    CloseHandle(file);
    content.resize(read);
    return content;
}

template <typename T> T fieldAt(const std::vector<BYTE>& bytes, size_t offset)
{
    T value;
    std::memcpy(&value, bytes.data() + offset, sizeof(T));
    return value;
}

void fill(RgbBitmap& image, int x, int y, int width, int height, COLORREF value)
{
    for (int row = y; row < y + height; ++row)
        for (int column = x; column < x + width; ++column)
            image.setPixel(column, row, value);
}

} // namespace

TEST(BitmapGeometry, RowsArePaddedToFourPixelsAndStoredBottomUp)
{
    RgbBitmap rgb(5, 3);
    EXPECT_EQ(8, bitmapOf(rgb).bmWidth);
    EXPECT_EQ(24, bitmapOf(rgb).bmWidthBytes);
    EXPECT_EQ(24, rgb.stride());
    EXPECT_EQ(rgb.bits() + 2 * 24, rgb.row(0));
    EXPECT_EQ(rgb.bits(), rgb.row(2));
    EXPECT_EQ(nullptr, rgb.row(3));
    EXPECT_EQ(nullptr, rgb.row(-1));

    PaletteBitmap indexed(5, 3, nullptr);
    EXPECT_EQ(8, bitmapOf(indexed).bmWidthBytes);
    EXPECT_EQ(indexed.bits() + 2 * 8, indexed.row(0));
}

TEST(BitmapGeometry, ImpossibleSectionThrowsIntegerOne)
{
    int thrown = 0;
    try {
        RgbBitmap empty(0, 10);
    } catch (int code) {
        thrown = code;
    }
    EXPECT_EQ(1, thrown);
    thrown = 0;
    try {
        PaletteBitmap huge(0x7ffffff0, 0x7ffffff0, nullptr);
    } catch (int code) {
        thrown = code;
    }
    EXPECT_EQ(1, thrown);
}

TEST(BitmapGeometry, DestructorReleasesSectionAndContext)
{
    HDC dc;
    HGDIOBJ section;
    {
        RgbBitmap image(4, 4);
        dc = image.dc();
        section = GetCurrentObject(dc, OBJ_BITMAP);
        ASSERT_EQ(static_cast<DWORD>(OBJ_BITMAP), GetObjectType(section));
    }
    EXPECT_EQ(0u, GetObjectType(section));
    EXPECT_EQ(0u, GetObjectType(dc));
}

TEST(BitmapPixels, SetPixelStoresBlueGreenRedWithinBounds)
{
    RgbBitmap image(5, 2);
    EXPECT_EQ(1, image.setPixel(4, 1, 0x00112233));
    EXPECT_EQ(RGB(0x11, 0x22, 0x33), GetPixel(image.dc(), 4, 1));
    EXPECT_EQ(0x33, image.row(1)[12]);

    EXPECT_EQ(0, image.setPixel(5, 0, 0xffffff));
    EXPECT_EQ(0, image.setPixel(0, 2, 0xffffff));
    EXPECT_EQ(0, image.setPixel(-1, 0, 0xffffff));
    EXPECT_EQ(0u, GetPixel(image.dc(), 5, 0));
    EXPECT_EQ(0, image.row(0)[15]);
}

TEST(BitmapPixels, PaletteIndicesWithinBounds)
{
    PaletteBitmap image(5, 2, nullptr);
    EXPECT_EQ(1, image.setPixel(1, 1, 200));
    EXPECT_EQ(200, image.pixel(1, 1));
    EXPECT_EQ(RGB(200, 200, 200), GetPixel(image.dc(), 1, 1));
    EXPECT_EQ(0, image.setPixel(5, 0, 7));
    EXPECT_EQ(0, image.row(0)[5]);
    EXPECT_EQ(0, image.pixel(-1, 0));
}

TEST(BitmapPalette, TableComesFromLogicalPaletteThenGreys)
{
    std::vector<BYTE> storage(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY));
    auto* palette = reinterpret_cast<LOGPALETTE*>(storage.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = 2;
    palette->palPalEntry[0] = {10, 20, 30, 0};
    reinterpret_cast<PALETTEENTRY*>(palette->palPalEntry)[1] = {40, 50, 60, 0};
    PaletteBitmap image(4, 4, palette);

    RGBQUAD table[256] = {};
    ASSERT_EQ(256u, GetDIBColorTable(image.dc(), 0, 256, table));
    EXPECT_EQ(10, table[0].rgbRed);
    EXPECT_EQ(30, table[0].rgbBlue);
    EXPECT_EQ(50, table[1].rgbGreen);
    EXPECT_EQ(7, table[7].rgbRed);
    EXPECT_EQ(255, table[255].rgbBlue);
    PALETTEENTRY entry = {};
    ASSERT_NE(nullptr, image.palette());
    EXPECT_EQ(1u, GetPaletteEntries(image.palette(), 1, 1, &entry));
    EXPECT_EQ(40, entry.peRed);

    EXPECT_EQ(1u, image.setColour(3, 1, 2, 3));
    GetDIBColorTable(image.dc(), 3, 1, table);
    EXPECT_EQ(1, table[0].rgbRed);
    EXPECT_EQ(3, table[0].rgbBlue);
}

TEST(BitmapPalette, SetPaletteReplacesAndDeletesTheOldOne)
{
    PaletteBitmap image(4, 4, nullptr);
    LOGPALETTE grey = {0x300, 1, {{9, 9, 9, 0}}};
    HPALETTE first = CreatePalette(&grey);
    HPALETTE second = CreatePalette(&grey);
    EXPECT_EQ(1, image.setPalette(first));
    EXPECT_EQ(1, image.setPalette(second));
    EXPECT_EQ(0u, GetObjectType(first));
    EXPECT_EQ(second, image.palette());
    EXPECT_EQ(second, GetCurrentObject(image.dc(), OBJ_PAL));
}

TEST(BitmapHalving, FourByFourAveragesEachBlock)
{
    RgbBitmap image(4, 4);
    image.setPixel(1, 0, 0xffffff);
    image.setPixel(0, 1, 0xffffff);
    fill(image, 2, 2, 2, 2, 0x804020);
    ASSERT_EQ(1, image.halveInto(image));
    EXPECT_EQ(RGB(127, 127, 127), GetPixel(image.dc(), 0, 0));
    EXPECT_EQ(RGB(0x80, 0x40, 0x20), GetPixel(image.dc(), 1, 1));
    EXPECT_EQ(0u, GetPixel(image.dc(), 1, 0));
}

TEST(BitmapHalving, OddLastRowAndColumnAreLeftOut)
{
    RgbBitmap image(5, 3);
    fill(image, 0, 0, 5, 3, 0x808080);
    fill(image, 4, 0, 1, 3, 0x0000ff);
    fill(image, 0, 2, 5, 1, 0x00ff00);
    image.setPixel(3, 1, 0);
    ASSERT_EQ(1, image.halveInto(image));
    EXPECT_EQ(RGB(0x80, 0x80, 0x80), GetPixel(image.dc(), 0, 0));
    EXPECT_EQ(RGB(0x60, 0x60, 0x60), GetPixel(image.dc(), 1, 0));
    // Beyond the 2 x 1 result the source pixels stay as they were.
    EXPECT_EQ(RGB(0x80, 0x80, 0x80), GetPixel(image.dc(), 2, 0));
    EXPECT_EQ(RGB(0, 0, 0xff), GetPixel(image.dc(), 4, 0));
    EXPECT_EQ(RGB(0, 0xff, 0), GetPixel(image.dc(), 0, 2));
}

TEST(BitmapHalving, TooSmallTargetIsRefusedUntouched)
{
    RgbBitmap image(5, 4);
    RgbBitmap target(2, 2);
    fill(image, 0, 0, 5, 4, 0xffffff);
    EXPECT_EQ(0, image.halveInto(target));
    EXPECT_EQ(0u, GetPixel(target.dc(), 0, 0));
    RgbBitmap enough(3, 2);
    EXPECT_EQ(1, image.halveInto(enough));
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(enough.dc(), 1, 1));
}

TEST(BitmapDrawing, DrawStretchAndTransparentReachTheTarget)
{
    RgbBitmap source(2, 2);
    source.setPixel(0, 0, 0x0000ff);
    source.setPixel(1, 1, 0x00ff00);
    RgbBitmap target(8, 8);
    EXPECT_TRUE(source.draw(target.dc(), 3, 3, nullptr, SRCCOPY));
    EXPECT_EQ(RGB(0, 0, 0xff), GetPixel(target.dc(), 3, 3));
    const RECT part = {1, 1, 2, 2};
    EXPECT_TRUE(source.draw(target.dc(), 0, 0, &part, SRCCOPY));
    EXPECT_EQ(RGB(0, 0xff, 0), GetPixel(target.dc(), 0, 0));

    const RECT whole = {4, 0, 8, 4};
    EXPECT_TRUE(source.stretchDraw(target.dc(), whole, SRCCOPY));
    EXPECT_EQ(RGB(0, 0xff, 0), GetPixel(target.dc(), 7, 3));

    fill(target, 0, 4, 4, 4, 0xabcdef);
    EXPECT_TRUE(source.drawTransparent(target.dc(), 0, 4, 0, 4, 4));
    EXPECT_EQ(RGB(0xab, 0xcd, 0xef), GetPixel(target.dc(), 0, 7));
    EXPECT_EQ(RGB(0, 0, 0xff), GetPixel(target.dc(), 1, 5));
}

TEST(BitmapFile, SavedRgbFileHasExactHeadersAndBits)
{
    RgbBitmap image(10, 2);
    image.setPixel(0, 0, 0x010203);
    image.setPixel(9, 1, 0x040506);
    const std::string path = scratchFile("rgb.bmp");
    ASSERT_TRUE(image.saveBmp(path.c_str()));
    const std::vector<BYTE> file = readFile(path);
    DeleteFileA(path.c_str());

    ASSERT_EQ(1150u, file.size());
    EXPECT_EQ(0x4D42, fieldAt<WORD>(file, 0));
    EXPECT_EQ(1150u, fieldAt<DWORD>(file, 2));
    EXPECT_EQ(0u, fieldAt<DWORD>(file, 6));
    EXPECT_EQ(1078u, fieldAt<DWORD>(file, 10));
    EXPECT_EQ(40u, fieldAt<DWORD>(file, 14));
    EXPECT_EQ(12, fieldAt<LONG>(file, 18));
    EXPECT_EQ(2, fieldAt<LONG>(file, 22));
    EXPECT_EQ(24, fieldAt<WORD>(file, 28));
    EXPECT_EQ(256u, fieldAt<DWORD>(file, 46));
    EXPECT_EQ(0x00646464u, fieldAt<DWORD>(file, 54 + 100 * 4));
    for (size_t i = 0; i < 72; ++i)
        ASSERT_EQ(image.bits()[i], file[1078 + i]) << "pixel byte " << i;
}

TEST(BitmapFile, SavedPaletteFileCarriesItsColourTable)
{
    PaletteBitmap image(3, 1, nullptr);
    image.setColour(5, 0x11, 0x22, 0x33);
    image.setPixel(2, 0, 5);
    const std::string path = scratchFile("pal.bmp");
    ASSERT_TRUE(image.saveBmp(path.c_str()));
    const std::vector<BYTE> file = readFile(path);
    DeleteFileA(path.c_str());

    ASSERT_EQ(14u + 40 + 1024 + 4, file.size());
    EXPECT_EQ(1078u, fieldAt<DWORD>(file, 10));
    EXPECT_EQ(0x00112233u, fieldAt<DWORD>(file, 54 + 5 * 4));
    EXPECT_EQ(5, file[1078 + 2]);
}

TEST(BitmapFile, UnwritablePathGivesFalse)
{
    RgbBitmap image(2, 2);
    EXPECT_FALSE(image.saveBmp("Z:\\no\\such\\folder\\t5.bmp"));
    EXPECT_FALSE(image.saveBmp("NUL"));
}
