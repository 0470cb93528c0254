// Shows labels, buttons and check boxes in the default look and saves a screenshot
// to screenshots/controls.bmp in the build tree (build/<arch>/screenshots).
#include <gtest/gtest.h>

#include <string>

#include "ControlTestSupport.h"
#include "controls/Button.h"
#include "controls/Label.h"

using namespace controltest;

namespace {

const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP;

Button* addCheckBox(Window* host, int y, const char* caption, int checked)
{
    Button* box = new Button("", host, 10, y, 16, 16, style);
    box->setMarkStyle(MarkCheckBox);
    box->setGroup(y);
    box->setMayUncheck(1);
    box->setChecked(checked);
    box->setDependent(new Label(caption, host, 34, y, 0, 0, style));
    return box;
}

}  // namespace

TEST(ControlsScreenshot, DefaultLookIsSavedIntoTheBuildTree)
{
    auto host = makeHost(300, 220);
    Window* w = host.get();
    new Label("Select application to delete", w, 10, 12, 0, 0, style);
    addCheckBox(w, 40, "Keep Vantorix memory and data files", 1);
    addCheckBox(w, 64, "Keep Vantorix shared files (unchecked)", 0);
    addCheckBox(w, 88, "Keep plug-ins & add-ons (box disabled)", 1)->enable(0);
    Button* toggle = new Button("Checked", w, 10, 116, 70, 24, style);
    toggle->setGroup(1);
    toggle->setChecked(1);
    (new Button("Disabled", w, 90, 116, 70, 24, style))->enable(0);
    for (int i = 0; i < 4; ++i) {
        Button* arrow = new Button("", w, 180 + 24 * i, 116, 20, 20, style);
        arrow->setMarkSize(8);
        arrow->setMarkStyle(static_cast<MarkStyle>(MarkTriangleDown + i));
    }
    new Button("Proceed", w, 30, 170, 70, 30, style);
    new Button("Cancel", w, 190, 170, 70, 30, style);
    Button* pressed = new Button("Pressed", w, 110, 170, 70, 30, style);
    SendMessageA(pressed->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    RedrawWindow(w->handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    pumpFor(100);
    RgbBitmap shot(300, 220);
    HDC screen = GetDC(nullptr);
    BitBlt(shot.dc(), 0, 0, 300, 220, screen, w->screenPosition().x, w->screenPosition().y, SRCCOPY);
    ReleaseDC(nullptr, screen);
    SendMessageA(pressed->handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(brushColour(w->backgroundBrush()), at(shot, 295, 5));

    // The test program lies in build/<arch>/tests; the screenshot goes beside that folder.
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    folder = folder.substr(0, folder.rfind('\\', folder.rfind('\\') - 1)) + "\\screenshots";
    CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_TRUE(shot.saveBmp((folder + "\\controls.bmp").c_str())) << folder;
}
