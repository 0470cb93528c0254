#include "controls/PaletteBitmap.h"
#include "controls/RgbBitmap.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::vector<BYTE> readFile(const std::string& path)
{
    std::vector<BYTE> content(4096);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    DWORD read = 0;
    ReadFile(file, content.data(), static_cast<DWORD>(content.size()), &read, nullptr);
    CloseHandle(file);
    content.resize(read);
    return content;
}

DWORD dwordAt(const std::vector<BYTE>& bytes, size_t offset)
{
    DWORD value;
    std::memcpy(&value, bytes.data() + offset, sizeof(value));
    return value;
}

void fill(RgbBitmap& image, int right, int bottom, COLORREF value)
{
    for (int y = 0; y < bottom; ++y)
        for (int x = 0; x < right; ++x)
            image.setPixel(x, y, value);
}

}  // namespace

TEST(BitmapGeometry, RowsArePaddedToFourPixelsAndStoredBottomUp)
{
    RgbBitmap rgb(5, 3);
    BITMAP info = {};
    GetObjectA(GetCurrentObject(rgb.dc(), OBJ_BITMAP), sizeof(info), &info);
    EXPECT_EQ(8, info.bmWidth);
    EXPECT_EQ(24, info.bmWidthBytes);
    EXPECT_EQ(rgb.bits() + 2 * 24, rgb.row(0));
    EXPECT_EQ(nullptr, rgb.row(3));
    EXPECT_EQ(nullptr, rgb.row(-1));
    PaletteBitmap indexed(5, 3, nullptr);
    EXPECT_EQ(indexed.bits() + 2 * 8, indexed.row(0));

    int thrown = 0;
    try {
        RgbBitmap huge(0x7ffffff0, 0x7ffffff0);
    } catch (int code) {
        thrown = code;
    }
    EXPECT_EQ(1, thrown);
}

TEST(BitmapPixels, SetPixelStaysWithinTheAskedWidth)
{
    RgbBitmap image(5, 2);
    EXPECT_EQ(1, image.setPixel(4, 1, 0x00112233));
    EXPECT_EQ(RGB(0x11, 0x22, 0x33), GetPixel(image.dc(), 4, 1));
    EXPECT_EQ(0, image.setPixel(5, 0, 0xffffff));
    EXPECT_EQ(0u, GetPixel(image.dc(), 5, 0));
    EXPECT_EQ(0, image.setPixel(0, 2, 0xffffff));

    PaletteBitmap indexed(5, 2, nullptr);
    EXPECT_EQ(1, indexed.setPixel(1, 1, 200));
    EXPECT_EQ(RGB(200, 200, 200), GetPixel(indexed.dc(), 1, 1));
    EXPECT_EQ(0, indexed.setPixel(5, 0, 7));
    EXPECT_EQ(0, indexed.row(0)[5]);
}

TEST(BitmapPalette, ShortLogicalPaletteIsCompletedWithGreys)
{
    LOGPALETTE one = {0x300, 1, {{10, 20, 30, 0}}};
    PaletteBitmap image(4, 4, &one);
    RGBQUAD table[256] = {};
    ASSERT_EQ(256u, GetDIBColorTable(image.dc(), 0, 256, table));
    EXPECT_EQ(10, table[0].rgbRed);
    EXPECT_EQ(30, table[0].rgbBlue);
    EXPECT_EQ(1, table[1].rgbRed);
    EXPECT_EQ(255, table[255].rgbGreen);
}

TEST(BitmapHalving, BoxAveragesInPlaceAndLeavesOddEdgesOut)
{
    RgbBitmap square(4, 4);
    square.setPixel(1, 0, 0xffffff);
    square.setPixel(0, 1, 0xffffff);
    ASSERT_EQ(1, square.halveInto(square));
    EXPECT_EQ(RGB(127, 127, 127), GetPixel(square.dc(), 0, 0));

    RgbBitmap odd(5, 3);
    fill(odd, 5, 3, 0x0000ff);
    fill(odd, 4, 2, 0x808080);
    odd.setPixel(3, 1, 0);
    ASSERT_EQ(1, odd.halveInto(odd));
    EXPECT_EQ(RGB(0x80, 0x80, 0x80), GetPixel(odd.dc(), 0, 0));
    EXPECT_EQ(RGB(0x60, 0x60, 0x60), GetPixel(odd.dc(), 1, 0));
    EXPECT_EQ(RGB(0x80, 0x80, 0x80), GetPixel(odd.dc(), 2, 0));
    EXPECT_EQ(RGB(0, 0, 0xff), GetPixel(odd.dc(), 0, 2));

    RgbBitmap small(2, 2);
    EXPECT_EQ(0, odd.halveInto(small));
}

TEST(BitmapFile, TenByTwoRgbFileHasExactHeadersAndBits)
{
    RgbBitmap image(10, 2);
    image.setPixel(0, 0, 0x010203);
    image.setPixel(9, 1, 0x040506);
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "t5_bitmap_" + std::to_string(GetCurrentProcessId()) + ".bmp";
    ASSERT_TRUE(image.saveBmp(path.c_str()));
    const std::vector<BYTE> file = readFile(path);
    DeleteFileA(path.c_str());

    ASSERT_EQ(1150u, file.size());
    EXPECT_EQ('B', file[0]);
    EXPECT_EQ('M', file[1]);
    EXPECT_EQ(1150u, dwordAt(file, 2));
    EXPECT_EQ(0u, dwordAt(file, 6));
    EXPECT_EQ(1078u, dwordAt(file, 10));
    EXPECT_EQ(40u, dwordAt(file, 14));
    EXPECT_EQ(12u, dwordAt(file, 18));
    EXPECT_EQ(256u, dwordAt(file, 46));
    EXPECT_EQ(0x00646464u, dwordAt(file, 54 + 100 * 4));
    EXPECT_EQ(0, std::memcmp(image.bits(), file.data() + 1078, 72));
    EXPECT_FALSE(image.saveBmp("NUL"));
}
