#include "controls/PaletteBitmap.h"
#include "controls/RgbBitmap.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/support/FileContents.h"
#include "tests/support/ScratchFolder.h"

TEST(BitmapGeometry, PaddedBottomUpRowsAndPaletteAreReadBackThroughGdi)
{
    RgbBitmap rgb(5, 3);
    DIBSECTION info = {};
    GetObjectA(GetCurrentObject(rgb.dc(), OBJ_BITMAP), sizeof(info), &info);
    EXPECT_EQ(8, info.dsBm.bmWidth);
    EXPECT_EQ(24, info.dsBm.bmWidthBytes);
    EXPECT_EQ(3, info.dsBmih.biHeight) << "a positive height is a bottom-up DIB";
    EXPECT_EQ(nullptr, rgb.row(3));
    EXPECT_EQ(nullptr, rgb.row(-1));
    // GDI reads back what setPixel wrote only when row() counts from the top of a bottom-up image.
    EXPECT_EQ(1, rgb.setPixel(4, 2, 0x00112233));
    EXPECT_EQ(RGB(0x11, 0x22, 0x33), GetPixel(rgb.dc(), 4, 2));
    EXPECT_EQ(0, rgb.setPixel(5, 0, 0xffffff));
    EXPECT_EQ(0u, GetPixel(rgb.dc(), 5, 0));
    EXPECT_EQ(0, rgb.setPixel(0, 3, 0xffffff));

    // A short logical palette is completed with greys: entry i is grey i.
    LOGPALETTE one = {0x300, 1, {{10, 20, 30, 0}}};
    PaletteBitmap indexed(5, 3, &one);
    EXPECT_EQ(RGB(10, 20, 30), GetPixel(indexed.dc(), 0, 0));
    EXPECT_EQ(1, indexed.setPixel(1, 0, 200));
    EXPECT_EQ(RGB(200, 200, 200), GetPixel(indexed.dc(), 1, 0));
    EXPECT_EQ(1, indexed.setPixel(2, 0, 255));
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(indexed.dc(), 2, 0));
    EXPECT_EQ(0, indexed.setPixel(5, 0, 7));
    EXPECT_EQ(0, indexed.row(0)[5]);

    int thrown = 0;
    try {
        RgbBitmap huge(0x7ffffff0, 0x7ffffff0);
    } catch (int code) {
        thrown = code;
    }
    EXPECT_EQ(1, thrown);
}

TEST(BitmapHalving, BoxAveragesInPlaceAndLeavesOddEdgesOut)
{
    RgbBitmap square(4, 4);
    square.setPixel(1, 0, 0xffffff);
    square.setPixel(0, 1, 0xffffff);
    ASSERT_EQ(1, square.halveInto(square));
    EXPECT_EQ(RGB(127, 127, 127), GetPixel(square.dc(), 0, 0));

    RgbBitmap odd(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            odd.setPixel(x, y, x < 4 && y < 2 ? 0x808080 : 0x0000ff);
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
    testsupport::ScratchFolder scratch;
    ASSERT_TRUE(image.saveBmp(scratch.join("image.bmp").c_str()));
    const std::string file = testsupport::fileContents(scratch.join("image.bmp"));

    ASSERT_EQ(1150u, file.size());
    EXPECT_EQ(0, std::memcmp("BM", file.data(), 2));
    // Offset and value of each header field that matters, then grey 100 of the palette.
    const DWORD fields[][2] = {{2, 1150}, {6, 0}, {10, 1078}, {14, 40}, {18, 12}, {46, 256}, {54 + 400, 0x646464}};
    for (const auto& field : fields) {
        DWORD value;
        std::memcpy(&value, file.data() + field[0], sizeof(value));
        EXPECT_EQ(field[1], value) << "at offset " << field[0];
    }
    EXPECT_EQ(0, std::memcmp(image.bits(), file.data() + 1078, 72));
    EXPECT_FALSE(image.saveBmp("NUL"));
}
