// Shows labels, buttons, check boxes, list box, scroll bar and drop-down lists in the
// default look and saves a screenshot to screenshots/controls.bmp in the build tree
// (build/<arch>/screenshots).
#include <gtest/gtest.h>

#include <string>

#include "ControlTestSupport.h"
#include "controls/Button.h"
#include "controls/DropDownList.h"
#include "controls/Label.h"
#include "controls/ListBox.h"
#include "controls/ScrollBar.h"

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

DropDownList* addDropDown(Window* host, int y, int chosen)
{
    DropDownList* list = new DropDownList(host, 150, y, 140, 24);
    for (const char* code : {"T520", "T530", "T530MCH", "T550", "T540"})
        list->popupList()->insertItem(code, -1);
    list->toggleButton()->setFocusFrame(0);
    list->select(chosen);
    return list;
}

}  // namespace

TEST(ControlsScreenshot, DefaultLookIsSavedIntoTheBuildTree)
{
    const int width = 300;
    const int height = 380;
    auto host = makeHost(width, height);
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
    ListBox* list = new ListBox(w, 10, 214, 130, 84, ListBox::Single, 1);
    for (const char* code : {"T520", "T530", "T530MCH", "T550", "T540", "T560", "T570"})
        list->insertItem(code, -1);
    list->select(1, 1);
    (new ScrollBar(w, 0, 150, 214, 140, 20, DockNone))->setRange(0, 100, 25, 40);
    addDropDown(w, 244, 3);
    DropDownList* open = addDropDown(w, 274, 1);
    RgbBitmap shot(width, height);
    // A window that another test program shows meanwhile takes the activation
    // and so closes the popup: then the picture is taken again.
    for (int attempt = 0; attempt < 10 && !(open->isOpen() && pressed->isPressed()); ++attempt) {
        SendMessageA(pressed->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        open->showPopup(1);
        RedrawWindow(w->handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        pumpFor(100);
        HDC screen = GetDC(nullptr);
        BitBlt(shot.dc(), 0, 0, width, height, screen, w->screenPosition().x, w->screenPosition().y, SRCCOPY);
        ReleaseDC(nullptr, screen);
    }
    SendMessageA(pressed->handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(brushColour(w->backgroundBrush()), at(shot, width - 5, 5));
    ListBox* popup = open->popupList();
    const int popupRight = popup->x() + popup->width() - w->screenPosition().x;
    const int firstRow = popup->y() - w->screenPosition().y + popup->borderWidth() + popup->rowHeight() / 2;
    EXPECT_EQ(brushColour(popup->faceBrush()), at(shot, popupRight - popup->borderWidth() - 21, firstRow))
        << "the open popup list";

    // The test program lies in build/<arch>/tests; the screenshot goes beside that folder.
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    folder = folder.substr(0, folder.rfind('\\', folder.rfind('\\') - 1)) + "\\screenshots";
    CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_TRUE(shot.saveBmp((folder + "\\controls.bmp").c_str())) << folder;
}
