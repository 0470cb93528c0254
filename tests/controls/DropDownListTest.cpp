#include "controls/DropDownList.h"

#include <gtest/gtest.h>

#include <string>

#include "ControlTestSupport.h"

using namespace controltest;

namespace {

struct Events {
    int selections = 0;
    std::string drops;
};

void countSelection(Events* e, DropDownList*) { ++e->selections; }
void recordDrop(Events* e, DropDownList*, int open) { e->drops += open ? "open " : "close "; }

std::string windowText(HWND w)
{
    char text[256] = {};
    GetWindowTextA(w, text, sizeof text);
    return text;
}

RECT screenRect(HWND w)
{
    RECT r;
    GetWindowRect(w, &r);
    return r;
}

// A real click of the left button at a point of the screen.
void clickAt(POINT p)
{
    SetCursorPos(p.x, p.y);
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
    pumpFor(150);
}

// A drop-down of 120 x 24 listing three products on a host window.
class DropDownTest : public testing::Test {
protected:
    Events events;
    std::unique_ptr<Window, void (*)(Window*)> host = makeHost();
    DropDownList* list = new DropDownList(host.get(), 30, 20, 120, 24);

    void SetUp() override
    {
        for (const char* code : {"T520", "T530", "T550"})
            list->popupList()->insertItem(code, -1);
        list->addSelectionListener(&events, countSelection);
        list->addDropListener(&events, recordDrop);
        SetActiveWindow(host->handle());
    }
    void clickFace()
    {
        SendMessageA(list->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageA(list->handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        application.pumpPending();
    }
    void popupKey(WPARAM key) { SendMessageA(list->popupList()->handle(), WM_KEYDOWN, key, 1); }
    bool open() const { return IsWindowVisible(list->popupList()->handle()) != 0; }
};
using DropDownOpening = DropDownTest;
using DropDownChoice = DropDownTest;
using DropDownLifetime = DropDownTest;

}  // namespace

TEST_F(DropDownOpening, FaceClicksOpenBelowTheFaceAndFaceEscapeOrLossOfFocusClose)
{
    EXPECT_EQ(-1, list->currentIndex());
    EXPECT_EQ("", windowText(list->handle()));
    clickFace();
    ASSERT_TRUE(open());
    EXPECT_TRUE(list->toggleButton()->isChecked());
    const RECT face = screenRect(list->handle());
    const RECT popup = screenRect(list->popupList()->handle());
    EXPECT_EQ(face.left, popup.left);
    EXPECT_EQ(face.bottom, popup.top);
    EXPECT_EQ(face.right, popup.right);
    EXPECT_EQ(list->popupList()->handle(), GetFocus());
    clickFace();
    EXPECT_FALSE(open());
    EXPECT_EQ("open close ", events.drops);

    // Escape and the loss of the focus close it too, and raise the button.
    clickFace();
    popupKey(VK_ESCAPE);
    EXPECT_FALSE(open());
    EXPECT_FALSE(list->toggleButton()->isChecked());
    EXPECT_EQ(list->toggleButton()->handle(), GetFocus());
    clickFace();
    ASSERT_EQ(list->popupList()->handle(), GetFocus());
    SetActiveWindow(host->handle());
    EXPECT_FALSE(open());
    EXPECT_FALSE(list->toggleButton()->isChecked());
    EXPECT_EQ("open close open close open close ", events.drops);
    EXPECT_EQ(0, events.selections);
}

TEST_F(DropDownOpening, RealClickOnTheFaceOrButtonOfAnOpenListClosesIt)
{
    const RECT face = screenRect(list->handle());
    const RECT button = screenRect(list->toggleButton()->handle());
    for (POINT target : {POINT{face.left + 8, face.top + 8}, POINT{button.left + 5, button.top + 5}}) {
        clickAt(POINT{face.left + 8, face.top + 8});
        ASSERT_TRUE(open());
        clickAt(target);
        EXPECT_FALSE(open()) << "the click that took the focus from the popup opened it again";
        EXPECT_FALSE(list->toggleButton()->isChecked());
    }
    clickAt(POINT{button.left + 5, button.top + 5});
    EXPECT_TRUE(open());
}

TEST_F(DropDownChoice, ClickOrEnterChoosesAndCallsEachListenerOnce)
{
    clickFace();
    HWND popup = list->popupList()->handle();
    const int rowMiddle = list->popupList()->borderWidth() + list->popupList()->rowHeight() * 3 / 2;
    SendMessageA(popup, WM_MOUSEMOVE, 0, MAKELPARAM(10, rowMiddle));
    SendMessageA(popup, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, rowMiddle));
    SendMessageA(popup, WM_LBUTTONUP, 0, MAKELPARAM(10, rowMiddle));
    EXPECT_FALSE(open());
    EXPECT_EQ(1, list->currentIndex());
    EXPECT_EQ("T530", windowText(list->handle()));
    EXPECT_EQ(1, events.selections);

    clickFace();
    EXPECT_EQ(1, list->popupList()->currentIndex()) << "the highlight starts on the choice";
    popupKey(VK_DOWN);
    popupKey(VK_RETURN);
    EXPECT_FALSE(open());
    EXPECT_EQ("T550", windowText(list->handle()));
    EXPECT_EQ(2, events.selections);
}

TEST_F(DropDownChoice, KeysOfAClosedListAndSelectWithoutListeners)
{
    list->select(0);
    EXPECT_EQ("T520", windowText(list->handle()));
    EXPECT_EQ(0, list->currentIndex());
    EXPECT_EQ(0, events.selections);
    HWND toggle = list->toggleButton()->handle();
    SetFocus(toggle);
    SendMessageA(toggle, WM_KEYDOWN, VK_DOWN, 1);
    SendMessageA(toggle, WM_KEYDOWN, VK_END, 1);
    SendMessageA(toggle, WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ("T550", windowText(list->handle()));
    EXPECT_EQ(2, events.selections) << "the last Down changed nothing";
    SendMessageA(toggle, WM_KEYDOWN, VK_F4, 1);
    EXPECT_TRUE(open());
    SendMessageA(list->popupList()->handle(), WM_SYSKEYDOWN, VK_UP, 0x20000001);
    EXPECT_FALSE(open());
    EXPECT_EQ(3, events.selections);
    for (int bad : {3, -1, -7}) {
        list->select(bad);
        EXPECT_EQ(-1, list->currentIndex());
        EXPECT_EQ("", windowText(list->handle()));
        EXPECT_EQ(-1, list->popupList()->currentIndex());
    }
    EXPECT_EQ(3, events.selections);
}

TEST_F(DropDownChoice, LongTextEndsBeforeTheButton)
{
    const char* text = "A product name much too long for the face of the drop-down list";
    list->popupList()->insertItem(text, 0);
    list->select(0);
    RECT content;
    list->getClientRect(content);
    const RECT button = screenRect(list->toggleButton()->handle());
    const int limit = content.right - (button.right - button.left);
    EXPECT_GT(captionSize(*list, text).cx, limit - content.left);
    auto painted = paint(*list);
    const RECT ink = inkBounds(*painted, content, brushColour(list->faceBrush()));
    EXPECT_LE(ink.right, limit);
    EXPECT_GT(ink.right, limit - captionSize(*list, "...W").cx) << "cut with an ellipsis near the button";
}

TEST_F(DropDownLifetime, DeletedWhileOpenLeavesNoPopupAndNoCapture)
{
    clickFace();
    HWND popup = list->popupList()->handle();
    ASSERT_TRUE(open());
    SendMessageA(popup, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    ASSERT_EQ(popup, GetCapture());
    delete list;
    EXPECT_FALSE(IsWindow(popup));
    EXPECT_EQ(nullptr, GetCapture());
    pumpFor(100);
}
