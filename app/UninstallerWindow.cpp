#include "app/UninstallerWindow.h"

#include "app/MessageBoxReporter.h"
#include "app/ProductCatalogue.h"
#include "app/ProductRecord.h"
#include "app/RemovalMutex.h"
#include "app/UninstallEntry.h"
#include "app/UninstallRun.h"
#include "controls/Button.h"
#include "controls/DropDownList.h"
#include "controls/Label.h"
#include "toolkit/Application.h"
#include "toolkit/Drawing.h"
#include "toolkit/WindowAlignment.h"

namespace {

constexpr DWORD windowStyle = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
constexpr DWORD labelStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
constexpr DWORD boxStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP;
static_assert(windowStyle == 0x90CC0000 && labelStyle == 0x54000000 && boxStyle == 0x54010000, "layout styles");

constexpr int iconResource = 101;
constexpr COLORREF yellow = 0x0000FFFF;
constexpr int centreVertically = 4;

void selectionChosen(UninstallerWindow* window, DropDownList*)
{
    window->onProductSelected();
}

void proceedClicked(UninstallerWindow* window, Button*)
{
    window->runUninstall();
}

void cancelClicked(UninstallerWindow* window, Button*)
{
    window->onCancel();
}

// A check box of its own group that toggles freely.
void makeKeepBox(Button* box, int group)
{
    box->setMarkStyle(MarkCheckBox);
    box->setGroup(group);
    box->setMayUncheck(1);
}

}  // namespace

// Built hidden and shown once complete: no half-built window flashes, the
// controls are made without repainting around them, and showing it gives the
// focus to the first control. A window with nothing to offer is never shown.
UninstallerWindow::UninstallerWindow()
    : Window("Vantorix uninstaller", windowStyle & ~WS_VISIBLE, 0, CW_USEDEFAULT, CW_USEDEFAULT, 300, 220, nullptr)
    , productSelector(nullptr)
    , keepDataBox(nullptr)
    , keepSharedBox(nullptr)
    , keepPluginsBox(nullptr)
    , proceedButton(nullptr)
    , cancelButton(nullptr)
    , keepDataLabel(nullptr)
    , keepSharedLabel(nullptr)
    , keepPluginsLabel(nullptr)
    , selectLabel(nullptr)
    , selected(nullptr)
{
    HICON icon = LoadIconA(application.instance(), MAKEINTRESOURCEA(iconResource));
    SendMessageA(handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    buildCatalogue(catalogue);
    windowFont.reset(createFont(16, "Arial", 0, 0, 0, 0, 0, 0));
    setFont(windowFont.get());
    setTextColour(yellow);
    const bool listMode = application.argumentCount() == 1;
    if (listMode)
        createSelector();
    findInstalledProducts();
    if (productSelector != nullptr && productSelector->popupList()->count() == 1) {
        productSelector->select(0);
        onProductSelected();
    }
    const bool nothingToOffer = listMode ? productSelector->popupList()->count() == 0 : selected == nullptr;
    if (nothingToOffer)
        PostMessageA(handle(), WM_CLOSE, 0, 0);
    createKeepBoxes();
    proceedButton = new Button("Proceed", this, 30, 140, 70, 30, boxStyle);
    cancelButton = new Button("Cancel", this, 190, 140, 70, 30, boxStyle);
    proceedButton->addClickListener(this, proceedClicked);
    cancelButton->addClickListener(this, cancelClicked);
    if (!nothingToOffer)
        show(1);
}

UninstallerWindow::~UninstallerWindow() = default;

void UninstallerWindow::createSelector()
{
    selectLabel = new Label("Select application to delete", this, 10, 10, 0, 0, labelStyle);
    // Fitted once more as the design asks; the label already measures in the window's font.
    selectLabel->fitToText();
    productSelector = new DropDownList(this, selectLabel->right() + 4, 10, 100, 24);
    productSelector->toggleButton()->setFocusFrame(0);
    alignWindows(centreVertically, selectLabel, productSelector, nullptr);
    productSelector->addSelectionListener(this, selectionChosen);
}

void UninstallerWindow::findInstalledProducts()
{
    if (productSelector == nullptr) {
        const ProductRecord* wanted = findProductByModelCode(catalogue, application.argument(1).toUpper());
        if (wanted != nullptr && isInstalled(*wanted)) {
            setText(wanted->modelCode + " uninstall");
            selected = wanted;
        }
        return;
    }
    for (int i = 0; i < catalogue.count(); ++i)
        if (isInstalled(*catalogue.item(i)))
            productSelector->popupList()->insertItem(catalogue.item(i)->modelCode.cStr(), -1);
}

void UninstallerWindow::createKeepBoxes()
{
    keepDataBox = new Button("", this, 10, 40, 16, 16, boxStyle);
    keepDataLabel = new Label("Keep Vantorix memory and data files", this, 30, 10, 0, 0, labelStyle);
    keepSharedBox = new Button("", this, 10, 70, 16, 16, boxStyle);
    keepSharedLabel = new Label("Keep Vantorix shared files", this, 30, 10, 0, 0, labelStyle);
    keepPluginsBox = new Button("", this, 10, 100, 16, 16, boxStyle);
    keepPluginsLabel = new Label("Keep Vantorix plug-ins & add-ons", this, 30, 10, 0, 0, labelStyle);
    makeKeepBox(keepDataBox, 1);
    makeKeepBox(keepSharedBox, 2);
    makeKeepBox(keepPluginsBox, 3);
    keepDataBox->setChecked(1);
    keepSharedBox->setChecked(1);
    keepPluginsBox->setChecked(1);
    alignWindows(centreVertically, keepDataBox, keepDataLabel, nullptr);
    alignWindows(centreVertically, keepSharedBox, keepSharedLabel, nullptr);
    alignWindows(centreVertically, keepPluginsBox, keepPluginsLabel, nullptr);
}

LRESULT UninstallerWindow::handleMessage(UINT message, WPARAM wparam, LPARAM lparam)
{
    if (running && message == WM_QUERYENDSESSION)
        return FALSE;
    if (running && message == WM_CLOSE) {
        closeWaiting = true;
        return 0;
    }
    if (message == WM_CLOSE)
        application.quit();
    return Window::handleMessage(message, wparam, lparam);
}

void UninstallerWindow::onProductSelected()
{
    if (productSelector == nullptr)
        return;
    selected = productSelector->currentIndex() == -1
                   ? nullptr
                   : findProductByModelCode(catalogue, productSelector->getText());
}

void UninstallerWindow::onCancel()
{
    PostMessageA(handle(), WM_CLOSE, 0, 0);
}

void UninstallerWindow::runUninstall()
{
    MessageBoxReporter reporter(*this);
    // However the run ends, a close that came during it is then carried out.
    struct InProgress {
        explicit InProgress(UninstallerWindow& window) : window(window) { window.running = true; }
        ~InProgress()
        {
            window.running = false;
            if (window.closeWaiting)
                PostMessageA(window.handle(), WM_CLOSE, 0, 0);
        }
        UninstallerWindow& window;
    } inProgress(*this);
    const ProductRecord* product = selected;
    // One removal at a time on the machine, whichever program makes it. With no
    // product chosen there is nothing to remove, and the run says so.
    RemovalMutex removal;
    if (product != nullptr && !removal.isHeld()) {
        messageBox("Another removal is running. Try again when it has finished.", MB_OK);
        return;
    }
    const KeepOptions keep = {keepDataBox->isChecked() != 0, keepSharedBox->isChecked() != 0,
                              keepPluginsBox->isChecked() != 0};
    UninstallRun(product, keep, reporter).run();
}
