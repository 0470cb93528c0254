#include "controls/DropDownList.h"

#include <cstdint>

#include "toolkit/ClassTags.h"
#include "toolkit/LifeGuard.h"

namespace {

const DWORD faceStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_TABSTOP;
const DWORD toggleStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP;
const int popupHeight = 80;
const int toggleWidth = 20;

bool altUpOrDown(const MessageRecord& record)
{
    return record.message == WM_SYSKEYDOWN && (record.wparam == VK_UP || record.wparam == VK_DOWN);
}

}

DropDownList::DropDownList(Window* parent, int x, int y, int width, int height)
    : Control("", parent, x, y, width, height, faceStyle, 0)
{
    setClassTag(ClassTag::DropDownList);
    popup_ = new ListBox(this, 0, 0, width, popupHeight, ListBox::Popup, 1);
    popup_->addFocusListener(this, popupFocus);
    RECT c;
    getClientRect(c);
    toggle_ = new Button("", this, c.right - toggleWidth, c.top, toggleWidth, c.bottom - c.top, toggleStyle);
    toggle_->setDock(DockRight);
    toggle_->setMarkStyle(MarkTriangleDown);
    toggle_->setGroup(1);
    toggle_->setMayUncheck(1);
    setBorderStyle(BorderSunken);
    toggle_->addClickListener(this, toggleClicked);
    popup_->addItemChosenListener(this, itemChosen);
    setTextAlignment(AlignLeft);
    toggle_->addLeftButtonDownListener(this, togglePressed);
    toggle_->addLeftButtonUpListener(this, toggleReleased);
    toggle_->addKeyDownListener(this, toggleKeyDown);
    toggle_->addMessageHook(this, toggleMessages);
    popup_->addMessageHook(this, popupKeys);
}

DropDownList::~DropDownList()
{
    markDestroying();
    toggle_->removeClickListener(this, toggleClicked);
    toggle_->removeListeners(this);
    toggle_->removeMessageHooks(this);
    // Destroying the top-level window destroys its owned windows first, and with
    // them this popup: by now it may be gone.
    if (!Window::exists(popup_))
        return;
    popup_->removeListeners(this);
    popup_->removeListListeners(this);
    popup_->removeMessageHooks(this);
}

LRESULT DropDownList::handleMessage(UINT message, WPARAM wparam, LPARAM lparam)
{
    // A click on the face or the button of an open drop-down first activates
    // the window below, which takes the focus from the popup and closes it.
    if (message == WM_MOUSEACTIVATE && HIWORD(static_cast<DWORD>(lparam)) == WM_LBUTTONDOWN)
        dismissPending_ = isOpen();
    else if (message == WM_LBUTTONDOWN) {
        pressDismissed_ = dismissPending_;
        dismissPending_ = 0;
    }
    return Control::handleMessage(message, wparam, lparam);
}

void DropDownList::onLeftButtonUp(WPARAM, int, int)
{
    if (pressDismissed_) {
        pressDismissed_ = 0;
        return;
    }
    toggle_->setChecked(!toggle_->isChecked());
    showPopup(toggle_->isChecked());
}

void DropDownList::drawText(HDC dc, RECT rect, const char* caption, int length)
{
    rect.left += 1;
    rect.right -= toggle_->width();
    Control::drawText(dc, rect, caption, length);
    // The button holds the focus for the whole control; without its own frame
    // the face shows where the keyboard is.
    if (toggle_->hasKeyboardFocus() && !toggle_->hasFocusFrame())
        drawFocusFrame(dc, rect);
}

void DropDownList::onDropDown(int open)
{
    LifeGuard life(*this);
    dropListeners_.invoke(listenerLock(), life, this, open);
}

void DropDownList::onSelectionChanged()
{
    LifeGuard life(*this);
    selectionListeners_.invoke(listenerLock(), life, this);
}

void DropDownList::select(int index)
{
    const char* text = popup_->itemText(index);
    current_ = text ? index : -1;
    setText(text ? text : "");
    if (current_ >= 0)
        popup_->select(current_, 1);
    else
        popup_->select(popup_->currentIndex(), 0);
}

void DropDownList::showPopup(int open)
{
    LifeGuard life(*this);
    toggle_->setChecked(open);
    if (open) {
        // The highlight starts on the choice, not where the pointer last left it.
        if (current_ >= 0)
            popup_->select(current_, 1);
        else
            popup_->select(popup_->currentIndex(), 0);
        const POINT corner = screenPosition();
        popup_->move(corner.x, corner.y + height());
        popup_->setSize(width(), popup_->height());
    }
    ShowWindow(popup_->handle(), open ? SW_SHOW : SW_HIDE);
    if (life.alive())
        onDropDown(open);
}

void DropDownList::setButtonWidth(int width)
{
    toggle_->setSize(width, toggle_->height());
    popup_->scrollBar()->setSize(width, popup_->scrollBar()->height());
    invalidate();
}

void DropDownList::accept()
{
    LifeGuard life(*this);
    current_ = popup_->currentIndex();
    const char* text = popup_->itemText(current_);
    setText(text ? text : "");
    showPopup(0);
    if (life.alive())
        onSelectionChanged();
}

bool DropDownList::moveChoice(WPARAM key)
{
    const int last = popup_->count() - 1;
    const int page = popup_->visibleRows() > 1 ? popup_->visibleRows() : 1;
    std::int64_t target = current_;
    switch (key) {
    case VK_UP: target = current_ - 1; break;
    case VK_DOWN: target = current_ + 1; break;
    case VK_PRIOR: target = static_cast<std::int64_t>(current_) - page; break;
    case VK_NEXT: target = static_cast<std::int64_t>(current_) + page; break;
    case VK_HOME: target = 0; break;
    case VK_END: target = last; break;
    default: return false;
    }
    target = target < 0 ? 0 : target > last ? last : target;
    if (last < 0 || target == current_)
        return true;
    select(static_cast<int>(target));
    onSelectionChanged();
    return true;
}

void DropDownList::popupFocus(DropDownList* list, Window*, int gained)
{
    if (!gained && list->isOpen())
        list->showPopup(0);
}

void DropDownList::toggleClicked(DropDownList* list, Button* toggle)
{
    if (list->clickDismissed_) {
        list->clickDismissed_ = 0;
        toggle->setChecked(0);
        return;
    }
    list->showPopup(toggle->isChecked());
}

void DropDownList::itemChosen(DropDownList* list, ListBox*)
{
    list->accept();
}

void DropDownList::togglePressed(DropDownList* list, Window*, WPARAM, int, int)
{
    list->pressDismissed_ = list->dismissPending_;
    list->dismissPending_ = 0;
}

void DropDownList::toggleReleased(DropDownList* list, Window* toggle, WPARAM, int x, int y)
{
    // Runs before the button decides on its click: remember whether one comes.
    const POINT point = {x, y};
    RECT client;
    GetClientRect(toggle->handle(), &client);
    list->clickDismissed_ = list->pressDismissed_ && list->toggle_->isPressed() && PtInRect(&client, point);
    list->pressDismissed_ = 0;
}

void DropDownList::toggleKeyDown(DropDownList* list, Window*, WPARAM key, LPARAM)
{
    if (key == VK_F4)
        list->showPopup(!list->isOpen());
    else
        list->moveChoice(key);
}

void DropDownList::toggleMessages(DropDownList* list, Component*, MessageRecord& record)
{
    if (altUpOrDown(record)) {
        list->showPopup(!list->isOpen());
        record.handled = 1;
    } else if ((record.message == WM_SETFOCUS || record.message == WM_KILLFOCUS) && !list->toggle_->hasFocusFrame()) {
        list->invalidate();
    }
}

void DropDownList::popupKeys(DropDownList* list, Component*, MessageRecord& record)
{
    if (altUpOrDown(record) || (record.message == WM_KEYDOWN && record.wparam == VK_F4)) {
        record.handled = 1;
        list->accept();
    }
}
