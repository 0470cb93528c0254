// The toolkit's combo box: a sunken face showing the chosen item, a toggle button and a popup list below.
#pragma once

#include <windows.h>

#include "controls/Button.h"
#include "controls/Control.h"
#include "controls/ListBox.h"

class DropDownList : public Control {
public:
    // (drop-down, 1 when the popup opened, 0 when it closed)
    using DropListeners = ListenerList<DropDownList*, int>;
    using SelectionListeners = ListenerList<DropDownList*>;

    DropDownList(Window* parent, int x, int y, int width, int height);
    ~DropDownList() override;

    LRESULT handleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
    // A click on the face opens or closes the popup.
    void onLeftButtonUp(WPARAM flags, int x, int y) override;
    // Keeps the text clear of the toggle button.
    void drawText(HDC dc, RECT rect, const char* caption, int length) override;

    virtual void onDropDown(int open);
    virtual void onSelectionChanged();

    // Items are added and counted here.
    ListBox* popupList() const { return popup_; }
    Button* toggleButton() const { return toggle_; }
    int currentIndex() const { return current_; }
    int isOpen() const { return toggle_->isChecked(); }
    // Shows that item, or nothing for an index outside the items; calls no listener.
    void select(int index);
    void showPopup(int open);
    // Also the width of the popup list's scroll bar.
    void setButtonWidth(int width);
    int buttonWidth() const { return toggle_->width(); }

    template <typename Owner>
    void addSelectionListener(Owner* o, void (*f)(Owner*, DropDownList*)) { selectionListeners_.add(o, f); }
    template <typename Owner>
    void addDropListener(Owner* o, void (*f)(Owner*, DropDownList*, int)) { dropListeners_.add(o, f); }

private:
    static void popupFocus(DropDownList* list, Window* popup, int gained);
    static void toggleClicked(DropDownList* list, Button* toggle);
    static void itemChosen(DropDownList* list, ListBox* popup);
    static void togglePressed(DropDownList* list, Window* toggle, WPARAM flags, int x, int y);
    static void toggleReleased(DropDownList* list, Window* toggle, WPARAM flags, int x, int y);
    static void toggleKeyDown(DropDownList* list, Window* toggle, WPARAM key, LPARAM flags);
    static void toggleMessages(DropDownList* list, Component* toggle, MessageRecord& record);
    static void popupKeys(DropDownList* list, Component* popup, MessageRecord& record);

    // Takes the popup list's current item as the choice and closes.
    void accept();
    // Moves the choice by the keys of a closed combo box.
    bool moveChoice(WPARAM key);

    ListBox* popup_;
    Button* toggle_;
    int current_ = -1;
    // A press on the face or the button while the popup was open closed it
    // (by taking the activation from it); that press must not open it again.
    int dismissPending_ = 0;
    int pressDismissed_ = 0;
    int clickDismissed_ = 0;
    DropListeners dropListeners_;
    SelectionListeners selectionListeners_;
};
