#define OEMRESOURCE
#include "controls/Control.h"

#include "controls/Button.h"
#include "controls/Label.h"
#include "controls/OwnedGdiObject.h"
#include "toolkit/Drawing.h"

#include <gtest/gtest.h>

#include <vector>

#include "ControlTestSupport.h"

using namespace controltest;

namespace {

const DWORD childStyle = WS_CHILD | WS_VISIBLE;
const COLORREF marker = RGB(255, 0, 255);

Control* makeControl(Window* host, int width, int height, const char* caption = "")
{
    return new Control(caption, host, 0, 0, width, height, childStyle, 0);
}

RECT contentOf(Control& control)
{
    RECT r;
    control.getClientRect(r);
    return r;
}

// Leaves the frame out, so that the background step shows alone.
class BareControl : public Control {
public:
    BareControl(Window* parent, int style) : Control("", parent, 0, 0, 40, 30, childStyle, 0) { setBorderStyle(style); }
    void drawBorder(HDC, RECT) override {}
};

}  // namespace

TEST(ControlBorder, RaisedAndSunkenBevelsShadeLevelByLevel)
{
    auto host = makeHost();
    Control* control = makeControl(host.get(), 40, 30);
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
    // Width, height, style, then the content rectangle; styles 2 to 4 inset only a control twice the border.
    const int cases[][7] = {{40, 30, BorderRaised, 3, 3, 37, 27}, {40, 30, BorderEdge, 1, 1, 39, 29},
                            {40, 30, BorderNone, 0, 0, 40, 30},   {5, 40, BorderEtched, 0, 0, 5, 40},
                            {5, 40, BorderSunken, 0, 0, 5, 40},   {5, 40, BorderRaised, 0, 0, 5, 40},
                            {6, 6, BorderRaised, 3, 3, 3, 3}};
    Control* control = makeControl(host.get(), 40, 30);
    for (const auto& c : cases) {
        control->setSize(c[0], c[1]);
        control->setBorderStyle(c[2]);
        const RECT r = contentOf(*control);
        EXPECT_EQ((std::vector<LONG>{c[3], c[4], c[5], c[6]}), (std::vector<LONG>{r.left, r.top, r.right, r.bottom}))
            << c[0] << " x " << c[1] << ", style " << c[2];
    }
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

// The ink of a top-left caption tells where the font draws inside the measured
// box; every other alignment moves that box, and the ink with it, exactly.
TEST(ControlText, CaptionIsPlacedByItsAlignmentCode)
{
    auto host = makeHost();
    Control* control = makeControl(host.get(), 160, 80, "Wg");
    control->setTextColour(RGB(255, 255, 255));
    const RECT c = contentOf(*control);
    const COLORREF background = brushColour(control->backgroundBrush());
    const SIZE box = captionSize(*control, "Wg");
    control->setTextAlignment(AlignTopLeft);
    const RECT topLeft = inkBounds(*paint(*control), c, background);
    ASSERT_LT(topLeft.left, topLeft.right);
    for (Alignment code : {0x00, 0x12, 0x21, 0x22}) {
        control->setTextAlignment(code);
        const RECT ink = inkBounds(*paint(*control), c, background);
        // Indexed by the nibble: centred, left or top, right or bottom.
        const int left[] = {(c.right - c.left - box.cx) / 2, 0, c.right - c.left - box.cx};
        const int top[] = {(c.bottom - c.top - box.cy) / 2, 0, c.bottom - c.top - box.cy};
        EXPECT_EQ(topLeft.left + left[code & 0xf], ink.left) << "alignment " << code;
        EXPECT_EQ(topLeft.top + top[code >> 4], ink.top) << "alignment " << code;
        EXPECT_EQ(topLeft.right - topLeft.left, ink.right - ink.left) << "alignment " << code;
    }
}

TEST(ControlText, TooLongCaptionEndsInEllipsisWithinTheContent)
{
    auto host = makeHost();
    const char* caption = "A caption far too long for its small control";
    Control* empty = makeControl(host.get(), 80, 26);
    auto bare = paint(*empty);
    const RECT content = contentOf(*empty);
    const int slack = ellipsisSlack(*empty, caption);
    const int ellipsis = captionSize(*empty, "...").cx;
    for (Alignment code : {0x00, 0x11, 0x22}) {
        Control* control = makeControl(host.get(), 80, 26, caption);
        control->setTextAlignment(code);
        auto painted = paint(*control);
        // The whole caption, in a control wide enough for it, from the same row.
        Control* wide = makeControl(host.get(), 400, 26, caption);
        wide->setTextAlignment((code & 0xf0) | AlignLeft);
        auto whole = paint(*wide);
        int outside = 0, ending = 0;
        for (int y = 0; y < 26; ++y)
            for (int x = 0; x < 80; ++x) {
                const bool inside = PtInRect(&content, POINT{x, y});
                outside += !inside && at(*bare, x, y) != at(*painted, x, y);
                ending += inside && x >= content.right - ellipsis && at(*whole, x, y) != at(*painted, x, y);
            }
        EXPECT_EQ(0, outside) << "alignment " << code;
        EXPECT_GT(ending, 0) << "alignment " << code;
        EXPECT_GT(inkBounds(*painted, content, brushColour(control->backgroundBrush())).right, content.right - slack)
            << "alignment " << code;
    }
}

// Each kind of control selects a font of its own to paint; the paint helper
// fails when it is still selected afterwards.
TEST(ControlText, EveryKindGivesTheDcBackAfterPaintingWithItsOwnFont)
{
    const OwnedGdiObject<HFONT> font(createFont(20, "Arial", 1, 0, 0, 0, 0, 0));
    auto host = makeHost();
    Button* box = new Button("Check box", host.get(), 0, 70, 120, 20, childStyle);
    box->setMarkStyle(MarkCheckBox);
    Control* kinds[] = {new Label("Label", host.get(), 0, 0, 0, 0, childStyle),
                        new Button("Button", host.get(), 0, 30, 80, 30, childStyle), box};
    for (Control* control : kinds) {
        auto inherited = paint(*control);
        control->setFont(font.get());
        auto own = paint(*control);
        int changed = 0;
        for (int y = 0; y < control->height(); ++y)
            for (int x = 0; x < control->width(); ++x)
                changed += at(*own, x, y) != at(*inherited, x, y);
        EXPECT_GT(changed, 0) << "the caption did not change with the font";
    }
}

TEST(ControlBitmap, DisabledImageShowsTheShapeInDisabledTextColourAndGoesWithItsBitmap)
{
    auto host = makeHost();
    Control* control = makeControl(host.get(), 60, 40);
    control->setBorderStyle(BorderNone);
    control->setBitmapAlignment(0x11);
    control->setHalfSizeBitmap(0);
    ASSERT_TRUE(control->loadBitmap(MAKEINTRESOURCEA(OBM_CLOSE), nullptr));
    BITMAP size = {};
    GetObjectA(control->image().bitmap(), sizeof(size), &size);
    auto enabled = paint(*control);
    control->enable(0);
    auto disabled = paint(*control);
    // The shape is every pixel of the enabled image other than its corner colour.
    const COLORREF background = brushColour(control->backgroundBrush());
    int shape = 0, mismatches = 0;
    for (int y = 0; y < size.bmHeight; ++y)
        for (int x = 0; x < size.bmWidth; ++x) {
            const bool inShape = at(*enabled, x, y) != at(*enabled, 0, 0);
            shape += inShape;
            mismatches += at(*disabled, x, y) != (inShape ? control->disabledTextColour() : background);
        }
    EXPECT_GT(shape, 0);
    EXPECT_EQ(0, mismatches);

    // A second load releases everything of the first, the disabled image included.
    const ControlBitmap& image = control->image();
    const HGDIOBJ first[] = {image.bitmap(), image.disabledBitmap(), image.dc()};
    ASSERT_TRUE(control->loadBitmap(MAKEINTRESOURCEA(OBM_UPARROW), nullptr));
    for (HGDIOBJ object : first)
        EXPECT_EQ(0u, GetObjectType(object));
    EXPECT_FALSE(control->loadBitmap(MAKEINTRESOURCEA(1), GetModuleHandleA(nullptr)));
    EXPECT_EQ(nullptr, control->image().dc());
    paint(*control);
}
