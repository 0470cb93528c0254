#define OEMRESOURCE
#include "controls/Control.h"

#include <gtest/gtest.h>

#include "ControlTestSupport.h"
#include "toolkit/Application.h"

using namespace controltest;

namespace {

const DWORD childStyle = WS_CHILD | WS_VISIBLE;
const COLORREF white = RGB(255, 255, 255);
const COLORREF marker = RGB(255, 0, 255);

// A control whose frame is left out, so that the background step shows alone.
class BareControl : public Control {
public:
    BareControl(Window* parent, int style)
        : Control("", parent, 0, 0, 40, 30, childStyle, 0)
    {
        setBorderStyle(style);
    }
    void drawBorder(HDC, RECT) override {}
};

RECT contentOf(Control& control)
{
    RECT r;
    control.getClientRect(r);
    return r;
}

COLORREF at(RgbBitmap& canvas, int x, int y)
{
    return GetPixel(canvas.dc(), x, y);
}

SIZE captionSize(Window& window, const char* caption)
{
    HDC dc = GetDC(window.handle());
    HGDIOBJ font = window.font() ? static_cast<HGDIOBJ>(window.font()) : GetStockObject(SYSTEM_FONT);
    HGDIOBJ previous = SelectObject(dc, font);
    RECT r = {0, 0, 0, 0};
    DrawTextA(dc, caption, -1, &r, DT_CALCRECT | DT_NOPREFIX);
    SelectObject(dc, previous);
    ReleaseDC(window.handle(), dc);
    return SIZE{r.right, r.bottom};
}

}  // namespace

TEST(ControlBorder, RaisedAndSunkenBevelsShadeLevelByLevel)
{
    auto host = makeHost();
    Control* control = new Control("", host.get(), 10, 10, 40, 30, childStyle, 0);
    ASSERT_EQ(3, control->borderWidth());
    ASSERT_NE(penColour(control->lightBorderPen(0)), penColour(control->lightBorderPen(1)));
    auto raised = paint(*control);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(penColour(control->lightBorderPen(i)), at(*raised, i, 15)) << "level " << i;
        EXPECT_EQ(penColour(control->lightBorderPen(i)), at(*raised, 20, i)) << "level " << i;
        EXPECT_EQ(penColour(control->darkBorderPen(i)), at(*raised, 39 - i, 15)) << "level " << i;
        EXPECT_EQ(penColour(control->darkBorderPen(i)), at(*raised, 20, 29 - i)) << "level " << i;
    }
    control->setBorderStyle(BorderSunken);
    auto sunken = paint(*control);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(penColour(control->darkBorderPen(i)), at(*sunken, i, 15)) << "level " << i;
        EXPECT_EQ(penColour(control->lightBorderPen(i)), at(*sunken, 39 - i, 15)) << "level " << i;
        EXPECT_EQ(penColour(control->lightBorderPen(i)), at(*sunken, 20, 29 - i)) << "level " << i;
    }
    EXPECT_EQ(brushColour(control->faceBrush()), at(*sunken, 3, 3));
}

TEST(ControlInset, ContentRectangleFollowsBorderStyleAndSize)
{
    auto host = makeHost();
    Control* control = new Control("", host.get(), 0, 0, 40, 30, childStyle, 0);
    const RECT bevel = contentOf(*control);
    EXPECT_EQ(3, bevel.left);
    EXPECT_EQ(37, bevel.right);
    EXPECT_EQ(27, bevel.bottom);
    control->setBorderStyle(BorderEdge);
    EXPECT_EQ(1, contentOf(*control).top);
    EXPECT_EQ(39, contentOf(*control).right);
    control->setBorderStyle(BorderNone);
    EXPECT_EQ(40, contentOf(*control).right);
    control->setBorderStyle(BorderEtched);
    EXPECT_EQ(3, contentOf(*control).left);

    Control* small = new Control("", host.get(), 50, 0, 5, 40, childStyle, 0);
    for (int style : {BorderEtched, BorderSunken, BorderRaised}) {
        small->setBorderStyle(style);
        const RECT content = contentOf(*small);
        EXPECT_EQ(0, content.left) << "style " << style;
        EXPECT_EQ(5, content.right) << "style " << style;
        EXPECT_EQ(40, content.bottom) << "style " << style;
    }
    small->setSize(6, 6);
    EXPECT_EQ(3, contentOf(*small).left);
}

TEST(ControlBackground, FilledInsideTheBorderOnlyForStylesOneThreeAndFour)
{
    auto host = makeHost();
    const COLORREF background = brushColour(host->backgroundBrush());
    for (int style : {BorderNone, BorderEtched}) {
        auto canvas = paint(*new BareControl(host.get(), style));
        EXPECT_EQ(background, at(*canvas, 0, 0)) << "style " << style;
        EXPECT_EQ(background, at(*canvas, 39, 29)) << "style " << style;
    }
    auto edge = paint(*new BareControl(host.get(), BorderEdge));
    EXPECT_EQ(marker, at(*edge, 0, 0));
    EXPECT_EQ(background, at(*edge, 1, 1));
    EXPECT_EQ(background, at(*edge, 38, 28));
    EXPECT_EQ(marker, at(*edge, 39, 28));
    auto raised = paint(*new BareControl(host.get(), BorderRaised));
    EXPECT_EQ(marker, at(*raised, 2, 2));
    EXPECT_EQ(background, at(*raised, 3, 3));
    EXPECT_EQ(marker, at(*raised, 37, 27));

    BareControl* sunken = new BareControl(host.get(), BorderSunken);
    auto face = paint(*sunken);
    EXPECT_EQ(marker, at(*face, 2, 2));
    EXPECT_EQ(brushColour(sunken->faceBrush()), at(*face, 3, 3));
    sunken->setFaceFill(0);
    EXPECT_EQ(background, at(*paint(*sunken), 3, 3));
}

TEST(ControlText, CaptionIsPlacedByItsAlignmentCode)
{
    auto host = makeHost();
    Control* control = new Control("Wg", host.get(), 0, 0, 160, 80, childStyle, 0);
    control->setTextColour(white);
    const COLORREF background = brushColour(control->backgroundBrush());
    const RECT content = contentOf(*control);
    const SIZE size = captionSize(*control, "Wg");

    control->setTextAlignment(0x12);
    RECT ink = inkBounds(*paint(*control), content, background);
    EXPECT_LE(content.right - ink.right, 3);
    EXPECT_GT(ink.left - content.left, 160 / 2);
    EXPECT_LE(ink.top - content.top, size.cy / 2);

    control->setTextAlignment(0x21);
    ink = inkBounds(*paint(*control), content, background);
    EXPECT_LE(ink.left - content.left, 2);
    EXPECT_LE(content.bottom - ink.bottom, size.cy / 2);
    EXPECT_GT(ink.top - content.top, 80 / 3);

    control->setTextAlignment(0x00);
    ink = inkBounds(*paint(*control), content, background);
    EXPECT_NEAR(ink.left - content.left, content.right - ink.right, 4);
    EXPECT_NEAR(ink.top - content.top, content.bottom - ink.bottom, size.cy / 2);
}

TEST(ControlText, TooLongCaptionEndsInEllipsisWithinTheContent)
{
    auto host = makeHost();
    const char* caption = "A caption far too long for its small control";
    for (Alignment code : {0x00, 0x11, 0x22}) {
        Control* empty = new Control("", host.get(), 0, 0, 80, 26, childStyle, 0);
        Control* control = new Control(caption, host.get(), 0, 0, 80, 26, childStyle, 0);
        control->setTextColour(white);
        control->setTextAlignment(code);
        auto bare = paint(*empty);
        auto painted = paint(*control);
        const RECT content = contentOf(*control);
        int changedOutside = 0;
        for (int y = 0; y < 26; ++y)
            for (int x = 0; x < 80; ++x) {
                const POINT p = {x, y};
                if (!PtInRect(&content, p) && at(*bare, x, y) != at(*painted, x, y))
                    ++changedOutside;
            }
        EXPECT_EQ(0, changedOutside) << "alignment " << code;

        // The same caption merely clipped, without the ellipsis, looks different.
        RgbBitmap clipped(80, 26);
        BitBlt(clipped.dc(), 0, 0, 80, 26, bare->dc(), 0, 0, SRCCOPY);
        HGDIOBJ font = SelectObject(clipped.dc(), GetStockObject(SYSTEM_FONT));
        SetTextColor(clipped.dc(), white);
        SetBkMode(clipped.dc(), TRANSPARENT);
        RECT box = content;
        DrawTextA(clipped.dc(), caption, -1, &box, DT_LEFT | DT_NOPREFIX);
        SelectObject(clipped.dc(), font);
        const RECT ink = inkBounds(*painted, content, brushColour(control->backgroundBrush()));
        EXPECT_GT(ink.right - ink.left, 80 / 2);
        int differing = 0;
        for (int x = content.right - 12; x < content.right; ++x)
            for (int y = content.top; y < content.bottom; ++y)
                differing += at(clipped, x, y) != at(*painted, x, y);
        EXPECT_GT(differing, 0) << "alignment " << code;
    }
}

TEST(ControlBitmap, DisabledImageShowsTheShapeInDisabledTextColour)
{
    auto host = makeHost();
    Control* control = new Control("", host.get(), 0, 0, 60, 40, childStyle, 0);
    control->setBorderStyle(BorderNone);
    control->setBitmapAlignment(0x11);
    control->setHalfSizeBitmap(0);
    ASSERT_TRUE(control->loadBitmap(MAKEINTRESOURCEA(OBM_CLOSE), nullptr));
    control->enable(0);
    auto canvas = paint(*control);

    HDC source = CreateCompatibleDC(nullptr);
    HBITMAP image = LoadBitmapA(nullptr, MAKEINTRESOURCEA(OBM_CLOSE));
    HGDIOBJ previous = SelectObject(source, image);
    BITMAP size = {};
    GetObjectA(image, sizeof(size), &size);
    const COLORREF key = GetPixel(source, 0, 0);
    const COLORREF background = brushColour(control->backgroundBrush());
    int shape = 0;
    int mismatches = 0;
    for (int y = 0; y < size.bmHeight; ++y)
        for (int x = 0; x < size.bmWidth; ++x) {
            const bool inShape = GetPixel(source, x, y) != key;
            shape += inShape;
            mismatches += at(*canvas, x, y) != (inShape ? control->disabledTextColour() : background);
        }
    SelectObject(source, previous);
    DeleteObject(image);
    DeleteDC(source);
    EXPECT_GT(shape, 0);
    EXPECT_EQ(0, mismatches);
    EXPECT_EQ(background, at(*canvas, size.bmWidth, 0));
}

TEST(ControlBitmap, HalfSizeAveragesOverTheBackgroundAndDropsTheOddRow)
{
    auto host = makeHost();
    Control* control = new Control("", host.get(), 0, 0, 60, 40, childStyle, 0);
    control->setBorderStyle(BorderNone);
    control->setBitmapAlignment(0x11);
    ASSERT_TRUE(control->loadBitmap(MAKEINTRESOURCEA(OBM_UPARROW), nullptr));
    auto canvas = paint(*control);

    HDC source = CreateCompatibleDC(nullptr);
    HBITMAP image = LoadBitmapA(nullptr, MAKEINTRESOURCEA(OBM_UPARROW));
    HGDIOBJ previous = SelectObject(source, image);
    const COLORREF key = GetPixel(source, 0, 0);
    const COLORREF background = brushColour(control->backgroundBrush());
    auto shown = [&](int x, int y) {
        const COLORREF c = GetPixel(source, x, y);
        return c == key ? background : c;
    };
    int mismatches = 0;
    for (int k = 0; k < 17 / 2; ++k)
        for (int j = 0; j < 17 / 2; ++j) {
            const COLORREF a = shown(2 * j, 2 * k), b = shown(2 * j + 1, 2 * k);
            const COLORREF c = shown(2 * j, 2 * k + 1), d = shown(2 * j + 1, 2 * k + 1);
            const COLORREF expected = RGB((GetRValue(a) + GetRValue(b) + GetRValue(c) + GetRValue(d)) >> 2,
                                          (GetGValue(a) + GetGValue(b) + GetGValue(c) + GetGValue(d)) >> 2,
                                          (GetBValue(a) + GetBValue(b) + GetBValue(c) + GetBValue(d)) >> 2);
            mismatches += at(*canvas, j, k) != expected;
        }
    SelectObject(source, previous);
    DeleteObject(image);
    DeleteDC(source);
    EXPECT_EQ(0, mismatches);
    EXPECT_EQ(background, at(*canvas, 8, 2));
    EXPECT_EQ(background, at(*canvas, 2, 8));
}

TEST(ControlBitmap, SecondLoadReleasesEverythingOfTheFirst)
{
    auto host = makeHost();
    Control* control = new Control("", host.get(), 0, 0, 60, 40, childStyle, 0);
    ASSERT_TRUE(control->loadBitmap(MAKEINTRESOURCEA(OBM_CLOSE), nullptr));
    control->enable(0);
    paint(*control);
    const HBITMAP first = control->image().bitmap();
    const HBITMAP firstDisabled = control->image().disabledBitmap();
    const HDC firstContext = control->image().dc();
    ASSERT_EQ(static_cast<DWORD>(OBJ_BITMAP), GetObjectType(firstDisabled));
    ASSERT_TRUE(control->loadBitmap(MAKEINTRESOURCEA(OBM_UPARROW), nullptr));
    EXPECT_EQ(0u, GetObjectType(first));
    EXPECT_EQ(0u, GetObjectType(firstDisabled));
    EXPECT_EQ(0u, GetObjectType(firstContext));

    EXPECT_FALSE(control->loadBitmap(MAKEINTRESOURCEA(1), GetModuleHandleA(nullptr)));
    EXPECT_EQ(nullptr, control->image().dc());
    paint(*control);
}

TEST(ControlFit, FitToTextTakesTheCaptionPlusTheBevel)
{
    auto host = makeHost();
    Control* control = new Control("Fit me", host.get(), 5, 6, 10, 10, childStyle, 0);
    const SIZE size = captionSize(*control, "Fit me");
    control->fitToText();
    EXPECT_EQ(size.cx + 6, control->width());
    EXPECT_EQ(size.cy + 6, control->height());
    EXPECT_EQ(5, control->x());
    control->setBorderStyle(BorderEtched);
    control->fitToText();
    EXPECT_EQ(size.cx + 2, control->width());
}

TEST(ControlPaint, OnlyAPaintOfTheWindowItselfValidatesIt)
{
    auto host = makeHost();
    Control* control = new Control("", host.get(), 0, 0, 40, 30, childStyle, 0);
    application.pumpPending();
    InvalidateRect(control->handle(), nullptr, TRUE);
    paint(*control);
    EXPECT_TRUE(GetUpdateRect(control->handle(), nullptr, FALSE));
    UpdateWindow(control->handle());
    EXPECT_FALSE(GetUpdateRect(control->handle(), nullptr, FALSE));
}
