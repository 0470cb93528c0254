#define OEMRESOURCE
#include "controls/Control.h"

#include <gtest/gtest.h>

#include "ControlTestSupport.h"
#include "toolkit/Application.h"

using namespace controltest;

namespace {

const DWORD childStyle = WS_CHILD | WS_VISIBLE;
const COLORREF marker = RGB(255, 0, 255);

// Leaves the frame out, so that the background step shows alone.
class BareControl : public Control {
public:
    BareControl(Window* parent, int style) : Control("", parent, 0, 0, 40, 30, childStyle, 0)
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

}  // namespace

TEST(ControlBorder, RaisedAndSunkenBevelsShadeLevelByLevel)
{
    auto host = makeHost();
    Control* control = new Control("", host.get(), 10, 10, 40, 30, childStyle, 0);
    ASSERT_NE(penColour(control->lightBorderPen(0)), penColour(control->lightBorderPen(1)));
    auto raised = paint(*control);
    control->setBorderStyle(BorderSunken);
    auto sunken = paint(*control);
    for (int i = 0; i < 3; ++i) {
        const COLORREF light = penColour(control->lightBorderPen(i));
        const COLORREF dark = penColour(control->darkBorderPen(i));
        EXPECT_EQ(light, at(*raised, i, 15)) << "level " << i;
        EXPECT_EQ(light, at(*raised, 20, i)) << "level " << i;
        EXPECT_EQ(dark, at(*raised, 39 - i, 15)) << "level " << i;
        EXPECT_EQ(dark, at(*raised, 20, 29 - i)) << "level " << i;
        EXPECT_EQ(dark, at(*sunken, i, 15)) << "level " << i;
        EXPECT_EQ(light, at(*sunken, 20, 29 - i)) << "level " << i;
    }
}

TEST(ControlInset, ContentRectangleFollowsBorderStyleAndSize)
{
    auto host = makeHost();
    Control* control = new Control("", host.get(), 0, 0, 40, 30, childStyle, 0);
    EXPECT_EQ(3, contentOf(*control).left);
    EXPECT_EQ(27, contentOf(*control).bottom);
    control->setBorderStyle(BorderEdge);
    EXPECT_EQ(39, contentOf(*control).right);
    control->setBorderStyle(BorderNone);
    EXPECT_EQ(40, contentOf(*control).right);
    Control* small = new Control("", host.get(), 50, 0, 5, 40, childStyle, 0);
    for (int style : {BorderEtched, BorderSunken, BorderRaised}) {
        small->setBorderStyle(style);
        EXPECT_EQ(0, contentOf(*small).left) << "style " << style;
        EXPECT_EQ(40, contentOf(*small).bottom) << "style " << style;
    }
    small->setSize(6, 6);
    EXPECT_EQ(3, contentOf(*small).left);
}

TEST(ControlBackground, FilledInsideTheBorderOnlyForStylesOneThreeAndFour)
{
    auto host = makeHost();
    const COLORREF background = brushColour(host->backgroundBrush());
    for (int style : {BorderNone, BorderEtched})
        EXPECT_EQ(background, at(*paint(*new BareControl(host.get(), style)), 0, 0)) << "style " << style;
    auto edge = paint(*new BareControl(host.get(), BorderEdge));
    EXPECT_EQ(marker, at(*edge, 0, 0));
    EXPECT_EQ(background, at(*edge, 38, 28));
    EXPECT_EQ(marker, at(*edge, 39, 28));
    auto raised = paint(*new BareControl(host.get(), BorderRaised));
    EXPECT_EQ(marker, at(*raised, 2, 2));
    EXPECT_EQ(background, at(*raised, 3, 3));
    BareControl* sunken = new BareControl(host.get(), BorderSunken);
    EXPECT_EQ(brushColour(sunken->faceBrush()), at(*paint(*sunken), 3, 3));
    sunken->setFaceFill(0);
    auto plain = paint(*sunken);
    EXPECT_EQ(background, at(*plain, 3, 3));
    EXPECT_EQ(marker, at(*plain, 37, 27));
}

TEST(ControlText, CaptionIsPlacedByItsAlignmentCode)
{
    auto host = makeHost();
    Control* control = new Control("Wg", host.get(), 0, 0, 160, 80, childStyle, 0);
    control->setTextColour(RGB(255, 255, 255));
    const COLORREF background = brushColour(control->backgroundBrush());
    const RECT content = contentOf(*control);
    const int lineHeight = captionSize(*control, "Wg").cy;

    control->setTextAlignment(0x12);
    RECT ink = inkBounds(*paint(*control), content, background);
    EXPECT_LE(content.right - ink.right, 3);
    EXPECT_GT(ink.left - content.left, 160 / 2);
    EXPECT_LE(ink.top - content.top, lineHeight / 2);

    control->setTextAlignment(0x21);
    ink = inkBounds(*paint(*control), content, background);
    EXPECT_LE(ink.left - content.left, 2);
    EXPECT_LE(content.bottom - ink.bottom, lineHeight / 2);
    EXPECT_GT(ink.top - content.top, 80 / 3);

    control->setTextAlignment(0x00);
    ink = inkBounds(*paint(*control), content, background);
    EXPECT_NEAR(ink.left - content.left, content.right - ink.right, 4);
    EXPECT_NEAR(ink.top - content.top, content.bottom - ink.bottom, lineHeight / 2);
}

TEST(ControlText, TooLongCaptionEndsInEllipsisWithinTheContent)
{
    auto host = makeHost();
    const char* caption = "A caption far too long for its small control";
    Control* empty = new Control("", host.get(), 0, 0, 80, 26, childStyle, 0);
    auto bare = paint(*empty);
    const RECT content = contentOf(*empty);
    // The same caption merely clipped at the content's right edge.
    RgbBitmap clipped(80, 26);
    BitBlt(clipped.dc(), 0, 0, 80, 26, bare->dc(), 0, 0, SRCCOPY);
    SetBkMode(clipped.dc(), TRANSPARENT);
    RECT box = content;
    DrawTextA(clipped.dc(), caption, -1, &box, DT_LEFT | DT_NOPREFIX);

    for (Alignment code : {0x00, 0x11, 0x22}) {
        Control* control = new Control(caption, host.get(), 0, 0, 80, 26, childStyle, 0);
        control->setTextAlignment(code);
        auto painted = paint(*control);
        int outside = 0;
        int differing = 0;
        for (int y = 0; y < 26; ++y)
            for (int x = 0; x < 80; ++x) {
                const POINT p = {x, y};
                const bool inside = PtInRect(&content, p);
                outside += !inside && at(*bare, x, y) != at(*painted, x, y);
                differing += inside && x >= content.right - 12 && at(clipped, x, y) != at(*painted, x, y);
            }
        EXPECT_EQ(0, outside) << "alignment " << code;
        EXPECT_GT(differing, 0) << "alignment " << code;
        EXPECT_GT(inkBounds(*painted, content, brushColour(control->backgroundBrush())).right, 80 - 12);
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
}

TEST(ControlBitmap, SecondLoadReleasesEverythingOfTheFirst)
{
    auto host = makeHost();
    Control* control = new Control("", host.get(), 0, 0, 60, 40, childStyle, 0);
    ASSERT_TRUE(control->loadBitmap(MAKEINTRESOURCEA(OBM_CLOSE), nullptr));
    control->enable(0);
    paint(*control);
    const ControlBitmap& image = control->image();
    const HGDIOBJ first[] = {image.bitmap(), image.disabledBitmap(), image.dc()};
    ASSERT_TRUE(control->loadBitmap(MAKEINTRESOURCEA(OBM_UPARROW), nullptr));
    for (HGDIOBJ object : first)
        EXPECT_EQ(0u, GetObjectType(object));
    EXPECT_FALSE(control->loadBitmap(MAKEINTRESOURCEA(1), GetModuleHandleA(nullptr)));
    EXPECT_EQ(nullptr, control->image().dc());
    paint(*control);
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
