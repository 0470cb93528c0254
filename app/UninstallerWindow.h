// The uninstaller's one window: the product to remove (chosen from the installed
// ones, or named on the command line), three "Keep" boxes, "Proceed" and "Cancel".
#pragma once

#include <windows.h>

#include "app/ProductRecordList.h"
#include "controls/OwnedGdiObject.h"
#include "toolkit/Window.h"

class Button;
class DropDownList;
class Label;
class ProductRecord;

class UninstallerWindow : public Window {
public:
    // Builds the catalogue, finds the installed products and creates every
    // control. When nothing can be offered it posts itself WM_CLOSE.
    UninstallerWindow();
    ~UninstallerWindow() override;

    // WM_CLOSE ends the application's loop before the window goes. While a run is
    // in progress a close waits for its end and the session may not end: the run's
    // message boxes dispatch messages, and the run uses this window to its last step.
    LRESULT handleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

    // Takes the selector's chosen item as the product to remove; nothing in
    // command-line mode, where the product comes from the command line.
    void onProductSelected();
    // Removes the chosen product, reporting through message boxes owned by this window.
    void runUninstall();
    void onCancel();

    // The product to remove; null while none is chosen.
    const ProductRecord* selectedProduct() const { return selected; }

private:
    void createSelector();
    void findInstalledProducts();
    void createKeepBoxes();

    DropDownList* productSelector;
    Button* keepDataBox;
    Button* keepSharedBox;
    Button* keepPluginsBox;
    Button* proceedButton;
    Button* cancelButton;
    Label* keepDataLabel;
    Label* keepSharedLabel;
    Label* keepPluginsLabel;
    Label* selectLabel;
    ProductRecordList catalogue;
    const ProductRecord* selected; // a record of catalogue
    OwnedGdiObject<HFONT> windowFont;
    bool running = false;      // runUninstall is on the stack
    bool closeWaiting = false; // a close came during the run
};
