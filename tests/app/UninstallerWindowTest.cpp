// The looks of the uninstaller's window, built in this process: the window font,
// the text colour its controls paint with, and icon 101 of the shipped program.
#include <gtest/gtest.h>

#include <windows.h>

#include "app/UninstallerWindow.h"
#include "tests/controls/ControlTestSupport.h"
#include "tests/support/RunningProgram.h"

using namespace controltest;

TEST(UninstallerWindowLooks, ArialSixteenYellowTextAndIcon101)
{
    // The shipped program's module stands in for this test program's own; mapped as an
    // image, its icons come from the system's shared cache, one handle per resource.
    HMODULE program = LoadLibraryA(programtesting::buildFile("VxUninstall.exe").c_str());
    ASSERT_NE(nullptr, program);
    application.setInstance(program);
    // Started with test arguments the window is in command-line mode without a
    // product: it stays hidden and posts itself WM_CLOSE, never dispatched here.
    UninstallerWindow* window = new UninstallerWindow;
    window->show(1);
    application.setInstance(GetModuleHandleA(nullptr));

    LOGFONTA font = {};
    ASSERT_NE(0, GetObjectA(window->font(), sizeof font, &font));
    EXPECT_STREQ("Arial", font.lfFaceName);
    EXPECT_EQ(16, font.lfHeight);
    EXPECT_LE(font.lfWeight, FW_NORMAL);

    HICON icon = reinterpret_cast<HICON>(SendMessageA(window->handle(), WM_GETICON, ICON_BIG, 0));
    EXPECT_NE(nullptr, icon);
    EXPECT_EQ(LoadIconA(program, MAKEINTRESOURCEA(101)), icon);

    // A label's caption: the core of its strokes is pure yellow, none of its ink blue.
    Window* label = window->nextChild(window->firstChild(), 0);
    ASSERT_EQ(String("Keep Vantorix memory and data files"), label->getText());
    auto canvas = paint(*label);
    int yellow = 0, blue = 0;
    for (int y = 0; y < label->clientHeight(); ++y)
        for (int x = 0; x < label->clientWidth(); ++x) {
            const COLORREF pixel = at(*canvas, x, y);
            yellow += pixel == RGB(255, 255, 0);
            blue += GetBValue(pixel) > GetBValue(label->backgroundColour());
        }
    EXPECT_GT(yellow, 0);
    EXPECT_EQ(0, blue);
    DestroyWindow(window->handle());
    FreeLibrary(program);
}
