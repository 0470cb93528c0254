#include "controls/ListBox.h"

#include <gtest/gtest.h>

#include <climits>

#include "ControlTestSupport.h"

using namespace controltest;

namespace {

struct Events {
    int chosen = 0;
    int doubleClicks = 0;
    int changes = 0;
};

void countChosen(Events* e, ListBox*) { ++e->chosen; }
void countDoubleClick(Events* e, ListBox*) { ++e->doubleClicks; }
void countChange(Events* e, ListBox*) { ++e->changes; }

int pixelsOf(RgbBitmap& canvas, const RECT& r, COLORREF colour)
{
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            n += at(canvas, x, y) == colour ? 1 : 0;
    return n;
}

// A list of 150 pixels wide on a host, with room for exactly `rows` whole rows.
class ListBoxTest : public testing::Test {
protected:
    Events events;
    std::unique_ptr<Window, void (*)(Window*)> host = makeHost();

    ListBox* make(int mode, int items, int rows = 4)
    {
        ListBox* list = new ListBox(host.get(), 10, 10, 150, 50, mode, 1);
        list->setSize(150, rows * list->rowHeight() + 2 * list->borderWidth() + list->rowHeight() / 2);
        const char* names[] = {"zero", "one", "two", "three", "four", "five", "six", "seven", "eight", "nine"};
        for (int i = 0; i < items; ++i)
            list->addItem(names[i]);
        list->addItemChosenListener(&events, countChosen);
        list->addDoubleClickListener(&events, countDoubleClick);
        list->addSelectionChangedListener(&events, countChange);
        return list;
    }
    // The middle of row n counted from the first visible row.
    static LPARAM row(ListBox* list, int n)
    {
        return MAKELPARAM(20, list->borderWidth() + n * list->rowHeight() + list->rowHeight() / 2);
    }
    static void key(ListBox* list, WPARAM k) { SendMessageA(list->handle(), WM_KEYDOWN, k, 1); }
};
using ListBoxItems = ListBoxTest;
using ListBoxKeys = ListBoxTest;
using ListBoxMouse = ListBoxTest;
using ListBoxPaint = ListBoxTest;

}  // namespace

TEST_F(ListBoxItems, AnyIndexIsSafeAndTheSelectionFollowsItsItem)
{
    ListBox* list = make(ListBox::Single, 3);
    EXPECT_EQ(1, list->insertItem("last", -1));
    EXPECT_STREQ("last", list->itemText(3));
    for (int bad : {-1, 4, INT_MAX, INT_MIN}) {
        EXPECT_EQ(nullptr, list->itemText(bad));
        EXPECT_EQ(0, list->isSelected(bad));
        EXPECT_EQ(0, list->removeItem(bad));
        list->select(bad, 1);
        list->setItemText(bad, "x");
    }
    EXPECT_EQ(-1, list->currentIndex());
    EXPECT_EQ(4, list->count());
    EXPECT_EQ(4, list->scrollBar()->maximum());
    list->select(2, 1);
    list->insertItem("first", 0);
    EXPECT_EQ(3, list->currentIndex()) << "the selected item moved down";
    EXPECT_TRUE(list->isSelected(3));
    list->removeItem(0);
    EXPECT_EQ(2, list->currentIndex());
    list->setItemText(2, "renamed");
    EXPECT_EQ(-1, list->currentIndex());
    EXPECT_FALSE(list->isSelected(2));
    list->clear();
    EXPECT_EQ(0, list->count());
    EXPECT_EQ(0, list->scrollBar()->maximum());

    ListBox* counted = new ListBox(host.get(), 10, 100, 150, 60, ListBox::Single, 0);
    EXPECT_EQ(0, counted->addItem("ignored"));
    counted->setVirtualCount(-5);
    EXPECT_EQ(0, counted->count());
    counted->setVirtualCount(500);
    EXPECT_EQ(500, counted->scrollBar()->maximum());
}

TEST_F(ListBoxKeys, MoveTheSelectionAndKeepItInView)
{
    ListBox* list = make(ListBox::Single, 10);
    ASSERT_EQ(4, list->visibleRows());
    list->select(3, 1);
    key(list, VK_DOWN);
    EXPECT_EQ(4, list->currentIndex());
    EXPECT_EQ(1, list->firstVisibleRow()) << "item 4 becomes the last visible row";
    list->select(2, 1);
    key(list, VK_PRIOR);
    EXPECT_EQ(0, list->currentIndex());
    EXPECT_EQ(0, list->firstVisibleRow());
    const int changes = events.changes;
    key(list, VK_PRIOR);
    key(list, VK_UP);
    EXPECT_EQ(0, list->currentIndex());
    EXPECT_EQ(changes, events.changes) << "nothing changes at the top";
    list->select(8, 1);
    key(list, VK_NEXT);
    EXPECT_EQ(9, list->currentIndex());
    EXPECT_EQ(6, list->firstVisibleRow());
    key(list, VK_NEXT);
    key(list, VK_DOWN);
    EXPECT_EQ(9, list->currentIndex());
    key(list, VK_RETURN);
    EXPECT_EQ(1, events.chosen);
}

TEST_F(ListBoxMouse, ClicksChooseDoubleClicksAndTheWheelScrolls)
{
    ListBox* list = make(ListBox::Single, 10);
    for (int click = 0; click < 3; ++click) {
        SendMessageA(list->handle(), WM_LBUTTONDOWN, MK_LBUTTON, row(list, 1));
        SendMessageA(list->handle(), WM_LBUTTONUP, 0, row(list, 1));
    }
    EXPECT_EQ(1, list->currentIndex());
    EXPECT_EQ(list->handle(), GetFocus());
    EXPECT_EQ(2, events.chosen) << "the third click starts again";
    EXPECT_EQ(1, events.doubleClicks);

    list->scrollTo(5);
    SendMessageA(list->handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(4, list->firstVisibleRow());
    SendMessageA(list->handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-240)), 0);
    EXPECT_EQ(6, list->firstVisibleRow());

    ListBox* shortList = make(ListBox::Single, 2);
    shortList->move(10, 120);
    SendMessageA(shortList->handle(), WM_LBUTTONDOWN, MK_LBUTTON, row(shortList, 3));
    EXPECT_EQ(-1, shortList->currentIndex()) << "a click below the last item";

    ListBox* follow = make(ListBox::Follow, 3);
    for (int n : {0, 2}) {
        SendMessageA(follow->handle(), WM_MOUSEMOVE, 0, row(follow, n));
        EXPECT_EQ(n, follow->currentIndex());
    }
    EXPECT_FALSE(follow->isSelected(0));
    SendMessageA(follow->handle(), WM_LBUTTONDOWN, MK_LBUTTON, row(follow, 1));
    EXPECT_EQ(2, follow->currentIndex()) << "mode 1 selects nothing on the press";
    ASSERT_EQ(follow->handle(), GetCapture());
    delete follow;
    EXPECT_EQ(nullptr, GetCapture());
}

TEST_F(ListBoxPaint, EmptyFaceSunkenBorderAndSelectedRowColours)
{
    ListBox* list = make(ListBox::Single, 0);
    const int b = list->borderWidth();
    const int w = list->clientWidth();
    const int h = list->clientHeight();
    auto empty = paint(*list);
    EXPECT_EQ(brushColour(list->faceBrush()), at(*empty, w / 3, h / 2));
    EXPECT_EQ(penColour(list->darkBorderPen(0)), at(*empty, 0, h / 2)) << "sunken: dark on the left";
    EXPECT_EQ(penColour(list->lightBorderPen(0)), at(*empty, w - 1, h / 2));
    EXPECT_EQ(penColour(list->darkBorderPen(b - 1)), at(*empty, b - 1, b - 1));

    list->addItem("first");
    list->addItem("second");
    const COLORREF blue = RGB(0, 0, 160);
    const COLORREF yellow = RGB(255, 255, 0);
    list->setSelectionColour(blue);
    list->setSelectedTextColour(yellow);
    list->select(1, 1);
    const int rh = list->rowHeight();
    const RECT first = {b, b, w / 2, b + rh};
    const RECT second = {b, b + rh, w / 2, b + 2 * rh};
    auto painted = paint(*list);
    // Right of the texts, just left of the scroll bar.
    const int x = w - b - list->scrollBar()->width() - 1;
    EXPECT_EQ(blue, at(*painted, x, b + rh + rh / 2));
    EXPECT_EQ(brushColour(list->faceBrush()), at(*painted, x, b + rh / 2));
    EXPECT_GT(pixelsOf(*painted, second, yellow), 0);
    EXPECT_EQ(0, pixelsOf(*painted, first, yellow));
    EXPECT_GT(pixelsOf(*painted, first, list->textColour()), 0);
    list->enable(0);
    EXPECT_GT(pixelsOf(*paint(*list), second, list->disabledTextColour()), 0);
}
