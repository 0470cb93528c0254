#include <gtest/gtest.h>

#include "tests/toolkit/WindowTesting.h"
#include "toolkit/WindowAlignment.h"

using namespace windowtesting;

namespace {

// Compares the child's rectangle in its parent's client coordinates, asked from the system.
::testing::AssertionResult at(const Window* w, int left, int top, int width, int height)
{
    RECT r;
    GetWindowRect(w->handle(), &r);
    MapWindowPoints(nullptr, GetParent(w->handle()), reinterpret_cast<POINT*>(&r), 2);
    if (r.left == left && r.top == top && r.right - r.left == width && r.bottom - r.top == height)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "placed at (" << r.left << ", " << r.top << ") size "
                                         << r.right - r.left << " x " << r.bottom - r.top;
}

Window* docked(Window* parent, DockMode mode, int width, int height, bool visible = true)
{
    Window* w = child(parent, 1, 1, width, height, WS_CHILD | (visible ? WS_VISIBLE : 0));
    w->setDock(mode);
    return w;
}

}

TEST(DockLayout, EightModesShareTheClientAreaInPassOrder)
{
    const auto top = ownedTopLevel();
    ASSERT_EQ(200, top->clientWidth());
    Window* fill1 = docked(top.get(), DockFill, 5, 5);
    Window* innerTop = docked(top.get(), DockInnerTop, 5, 5);
    Window* left = docked(top.get(), DockLeft, 30, 5);
    Window* topBar = docked(top.get(), DockTop, 5, 10);
    Window* none = docked(top.get(), DockNone, 7, 8);
    Window* right = docked(top.get(), DockRight, 40, 5);
    Window* bottom = docked(top.get(), DockBottom, 5, 20);
    Window* innerBottom = docked(top.get(), DockInnerBottom, 5, 6);
    Window* fill2 = docked(top.get(), DockFill, 5, 5);
    EXPECT_TRUE(at(topBar, 0, 0, 200, 10));
    EXPECT_TRUE(at(bottom, 0, 130, 200, 20));
    EXPECT_TRUE(at(left, 0, 10, 30, 120));
    EXPECT_TRUE(at(right, 160, 10, 40, 120));
    EXPECT_TRUE(at(innerTop, 30, 10, 130, 5));
    EXPECT_TRUE(at(innerBottom, 30, 124, 130, 6));
    EXPECT_TRUE(at(fill1, 30, 15, 130, 109));
    EXPECT_TRUE(at(fill2, 30, 15, 130, 109)) << "two Fill children overlap exactly";
    EXPECT_TRUE(at(none, 1, 1, 7, 8));
    EXPECT_EQ(30, fill1->x()) << "the geometry cache follows";

    top->setSize(300, 150);
    EXPECT_TRUE(at(topBar, 0, 0, 300, 10));
    EXPECT_TRUE(at(fill2, 30, 15, 230, 109));
}

TEST(DockLayout, HiddenChildGivesUpItsSpaceAndAChildSizeChangeRelaysOutTheParent)
{
    const auto top = ownedTopLevel();
    Window* first = docked(top.get(), DockTop, 5, 10);
    Window* second = docked(top.get(), DockTop, 5, 20);
    Window* fill = docked(top.get(), DockFill, 5, 5);
    EXPECT_TRUE(at(second, 0, 10, 200, 20));
    first->show(0);
    EXPECT_TRUE(at(second, 0, 0, 200, 20));
    EXPECT_TRUE(at(fill, 0, 20, 200, 130));
    first->show(1);
    EXPECT_TRUE(at(first, 0, 0, 200, 10)) << "a hidden docked child keeps its place in the order";
    EXPECT_TRUE(at(second, 0, 10, 200, 20));
    first->setSize(200, 40);
    EXPECT_TRUE(at(fill, 0, 60, 200, 90));
}

TEST(WindowAlignment, AlignsAgainstAReferenceAndEqualisesSizes)
{
    const auto top = ownedTopLevel();
    Window* reference = child(top.get(), 50, 40, 60, 30);
    Window* a = child(top.get(), 0, 0, 20, 10);
    Window* b = child(top.get(), 0, 0, 10, 16);
    alignWindows(0x22, reference, a, b, static_cast<Window*>(nullptr));
    EXPECT_TRUE(at(a, 90, 60, 20, 10));
    EXPECT_TRUE(at(b, 100, 54, 10, 16));
    alignWindows(0x00, reference, a, static_cast<Window*>(nullptr));
    EXPECT_TRUE(at(a, 70, 50, 20, 10));
    alignWindows(0x33, reference, b, static_cast<Window*>(nullptr));
    EXPECT_TRUE(at(b, 50, 40, 60, 30));
    equaliseSizes(1, 0, a, reference, static_cast<Window*>(nullptr));
    EXPECT_TRUE(at(a, 70, 50, 60, 10));
    equaliseSizes(0, 1, a, reference, static_cast<Window*>(nullptr));
    EXPECT_TRUE(at(a, 70, 50, 60, 30));
}

TEST(WindowAlignment, SizeToContentMakesRoomForTheFarthestChildEdges)
{
    Window* top = new Window("bordered", WS_POPUP | WS_BORDER, 0, 0, 0, 50, 50, nullptr);
    child(top, 10, 10, 20, 20);
    child(top, 40, 5, 30, 10);
    top->sizeToContent(5, 7);
    RECT client;
    GetClientRect(top->handle(), &client);
    EXPECT_EQ(75, client.right);
    EXPECT_EQ(37, client.bottom);
    EXPECT_EQ(top->width() - 75, 2 * GetSystemMetrics(SM_CXBORDER));
    delete top;
}
