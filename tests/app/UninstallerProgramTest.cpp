// The uninstaller as a user meets it: the built program in a process of its own on
// a machine with products installed, driven through its windows with posted mouse
// and keyboard messages, its message boxes read and answered.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "app/ProductRecord.h"
#include "tests/app/UninstallTesting.h"
#include "tests/support/FileLock.h"
#include "tests/support/RunningProgram.h"
#include "tests/support/Sandbox.h"
#include "toolkit/Drawing.h"

// Rectangles compared and printed as wholes.
bool operator==(const RECT& a, const RECT& b)
{
    return EqualRect(&a, &b) != 0;
}

void PrintTo(const RECT& r, std::ostream* out)
{
    *out << "(" << r.left << ", " << r.top << ")-(" << r.right << ", " << r.bottom << ")";
}

using namespace programtesting;
using namespace uninstalltesting;

namespace {

const char listCaption[] = "Vantorix uninstaller";

struct Uninstaller : RunningProgram {
    explicit Uninstaller(const std::string& arguments = "") : RunningProgram(buildFile("VxUninstall.exe"), arguments) {}
    // Clicks the control, answers the message box that brings and returns its text.
    std::string boxAfterClicking(HWND control) const
    {
        click(control);
        HWND box = waitForMessageBox();
        const std::string text = box ? messageBoxText(box) : "(no message box)";
        answerOk(box);
        return text;
    }
};

HWND childWithText(HWND parent, const std::string& text)
{
    for (HWND child : children(parent))
        if (windowText(child) == text)
            return child;
    return nullptr;
}

bool nothingRemoved(const MachineFixture& machine)
{
    return machine.remaining().size() == machine.items().size();
}

// Width and height DrawTextA gives the caption in Arial 16.
SIZE fitted(const char* caption)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = createFont(16, "Arial", 0, 0, 0, 0, 0, 0);
    HGDIOBJ previous = SelectObject(dc, font);
    RECT r = {0, 0, 0, 0};
    DrawTextA(dc, caption, -1, &r, DT_CALCRECT | DT_NOPREFIX);
    SelectObject(dc, previous);
    DeleteObject(font);
    DeleteDC(dc);
    return {r.right, r.bottom};
}

int centredTop(const RECT& reference, int height)
{
    return reference.top + (reference.bottom - reference.top) / 2 - height / 2;
}

}  // namespace

class UninstallerProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        T5_REQUIRE_SANDBOX();
        machine = std::make_unique<TestMachine>();
    }
    MachineFixture& fixture() { return machine->fixture; }
    std::unique_ptr<TestMachine> machine;
};

// The layout table row by row, the products in catalogue order with none chosen,
// "Proceed" refusing until one is, then removing the chosen one; the program
// then ends with exit code 0.
TEST_F(UninstallerProgram, ListModeOffersTheInstalledProductsInCatalogueOrder)
{
    fixture().install("T540");
    fixture().install("T520");
    Uninstaller program;
    HWND window = program.waitForPaintedWindow(listCaption);
    ASSERT_NE(nullptr, window);
    RECT outer = {};
    GetWindowRect(window, &outer);
    EXPECT_EQ((RECT{0, 0, 300, 220}), outer);
    const std::vector<HWND> rows = children(window);
    ASSERT_EQ(10u, rows.size());
    const char* captions[] = {"Select application to delete", "", "", "Keep Vantorix memory and data files", "",
                              "Keep Vantorix shared files", "", "Keep Vantorix plug-ins & add-ons", "Proceed", "Cancel"};
    std::vector<RECT> expected(10);
    const SIZE select = fitted(captions[0]);
    expected[0] = {10, 10, 10 + select.cx, 10 + select.cy};
    const int selectorTop = centredTop(expected[0], 24);
    expected[1] = {expected[0].right + 4, selectorTop, expected[0].right + 104, selectorTop + 24};
    for (int row = 0; row < 3; ++row) {
        const int y = 40 + 30 * row;
        const SIZE label = fitted(captions[3 + 2 * row]);
        expected[2 + 2 * row] = {10, y, 26, y + 16};
        const int top = centredTop(expected[2 + 2 * row], label.cy);
        expected[3 + 2 * row] = {30, top, 30 + label.cx, top + label.cy};
    }
    expected[8] = {30, 140, 100, 170};
    expected[9] = {190, 140, 260, 170};
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(captions[i], windowText(rows[i])) << "row " << i + 2;
        EXPECT_EQ(expected[i], placement(rows[i])) << "row " << i + 2;
    }
    EXPECT_EQ("T5 application not chosen", program.boxAfterClicking(rows[8]));
    // The keys of a closed combo box walk the items: T520, T540, and no further.
    HWND toggle = children(rows[1]).at(0);
    for (const char* shown : {"T520", "T540", "T540"}) {
        pressKey(toggle, VK_DOWN);
        EXPECT_TRUE(waitFor([&] { return windowText(rows[1]) == shown; })) << shown;
    }
    EXPECT_EQ("Uninstallation completed !", program.boxAfterClicking(rows[8]));
    EXPECT_EQ(0u, program.waitForExit());
    EXPECT_TRUE(leftAsExpected(fixture(), fixture().product("T540")->id, KeepOptions{}));
}

TEST_F(UninstallerProgram, ListModeWithOneProductChoosesItAndCancelChangesNothing)
{
    fixture().install("T520");
    Uninstaller program;
    HWND window = program.waitForPaintedWindow(listCaption);
    ASSERT_NE(nullptr, window);
    EXPECT_EQ("T520", windowText(children(window).at(1)));
    click(childWithText(window, "Cancel"));
    EXPECT_EQ(0u, program.waitForExit());
    EXPECT_TRUE(nothingRemoved(fixture()));
}

// The first argument only, upper-cased; no selector; the close box changes nothing.
TEST_F(UninstallerProgram, CommandLineModeNamesTheProductOfTheFirstArgument)
{
    fixture().install("T520");
    fixture().install("T530MCH");
    Uninstaller program("t530mch T520");
    HWND window = program.waitForPaintedWindow();
    ASSERT_NE(nullptr, window);
    EXPECT_EQ("T530MCH uninstall", windowText(window));
    const std::vector<HWND> rows = children(window);
    ASSERT_EQ(8u, rows.size());
    EXPECT_EQ(placement(rows[0]), (RECT{10, 40, 26, 56})) << "no selector row";
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(0u, program.waitForExit());
    EXPECT_TRUE(nothingRemoved(fixture()));
}

TEST_F(UninstallerProgram, EndsSilentlyWhenNothingCanBeOffered)
{
    EXPECT_EQ(0u, Uninstaller().waitForExit()) << "no product installed";
    fixture().install("T520");
    EXPECT_EQ(0u, Uninstaller("T999").waitForExit()) << "an unknown model code";
    EXPECT_EQ(0u, Uninstaller("T540").waitForExit()) << "a product without its uninstall entry";
    EXPECT_TRUE(nothingRemoved(fixture()));
}

// Tab walks the table's order and wraps, space unticks a keep box, Enter presses "Proceed".
TEST_F(UninstallerProgram, KeyboardAloneRemovesAProduct)
{
    fixture().install("T520");
    Uninstaller program("T520");
    HWND window = program.waitForPaintedWindow("T520 uninstall");
    ASSERT_NE(nullptr, window);
    const std::vector<HWND> rows = children(window);
    ASSERT_EQ(8u, rows.size());
    const auto tabTo = [&](HWND next) {
        pressKey(program.focus(), VK_TAB);
        return waitFor([&] { return program.focus() == next; });
    };
    EXPECT_TRUE(waitFor([&] { return program.focus() == rows[0]; })) << "the first control has the focus";
    const HWND order[] = {rows[2], rows[4], rows[6], rows[7], rows[0]};
    for (HWND next : order)
        EXPECT_TRUE(tabTo(next)) << "Tab to " << windowText(next);
    pressKey(rows[0], VK_SPACE);
    ASSERT_TRUE(tabTo(rows[2]) && tabTo(rows[4]) && tabTo(rows[6]));
    pressKey(rows[6], VK_RETURN);
    HWND box = program.waitForMessageBox();
    EXPECT_EQ("Uninstallation completed !", messageBoxText(box));
    answerOk(box);
    EXPECT_EQ(0u, program.waitForExit());
    EXPECT_TRUE(leftAsExpected(fixture(), 1, KeepOptions{false, true, true}));
}

// A close that comes while a box of the run is open (posted by another program,
// by a shutdown) waits for the run's end, and the session may not end meanwhile.
TEST_F(UninstallerProgram, ACloseDuringTheRunWaitsForItsEnd)
{
    const std::string locked = fixture().install("T520") + "\\VXT520.exe";
    auto lock = std::make_unique<testsupport::FileLock>(locked);
    Uninstaller program("T520");
    HWND window = program.waitForPaintedWindow("T520 uninstall");
    ASSERT_NE(nullptr, window);
    click(childWithText(window, "Proceed"));
    HWND box = program.waitForMessageBox();
    EXPECT_EQ("Unable to delete the file \n" + locked, messageBoxText(box));
    DWORD_PTR mayEnd = TRUE;
    EXPECT_NE(0, SendMessageTimeoutA(window, WM_QUERYENDSESSION, 0, 0, SMTO_ABORTIFHUNG, 5000, &mayEnd));
    EXPECT_EQ(FALSE, static_cast<BOOL>(mayEnd));
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(waitFor([&] { return !IsWindow(box); }, 500)) << "the box went with its window";
    answerOk(box);
    EXPECT_TRUE(waitFor([&] { return !IsWindow(box); }));
    box = program.waitForMessageBox();
    EXPECT_EQ("Uninstallation completed !", messageBoxText(box));
    answerOk(box);
    EXPECT_EQ(0u, program.waitForExit());
    lock.reset();
    EXPECT_TRUE(leftAsExpected(fixture(), 1, KeepOptions{}, [&](const MachineItem& item) { return item.path == locked; }));
}
