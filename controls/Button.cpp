#include "controls/Button.h"

#include "controls/OwnedGdiObject.h"
#include "toolkit/ClassTags.h"
#include "toolkit/Drawing.h"
#include "toolkit/LifeGuard.h"
#include "toolkit/SelectGuard.h"

namespace {

// Mark sizes from here on are taken for garbage, not drawn.
constexpr int markSizeLimit = 0x10000000;
constexpr UINT pressDelay = 500;
constexpr UINT repeatInterval = 50;

} // namespace

Button::Button(const char* caption, Window* parent, int x, int y, int width, int height, DWORD style)
    : Control(caption, parent, x, y, width, height, style, 0),
      markColour_(parent != nullptr ? parent->textColour() : RGB(0, 0, 0))
{
    setClassTag(ClassTag::Button);
    setFocusFrame(1);
}

Button::~Button()
{
    markDestroying();
}

LRESULT Button::handleMessage(UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_SETFOCUS || message == WM_KILLFOCUS) {
        invalidate();
        UpdateWindow(handle());
    }
    // The release gives the capture back itself; any other loss of it (another
    // window taking it, WM_CANCELMODE, disabling, a message box opened by a
    // listener) ends the press as a release outside would, or the repeat timer
    // would go on pressing with nothing held.
    if (message == WM_CAPTURECHANGED && !releasing_ && reinterpret_cast<HWND>(lparam) != handle())
        endPress();
    if (message != WM_LBUTTONUP)
        return Control::handleMessage(message, wparam, lparam);
    LifeGuard life(*this);
    releasing_ = 1;
    const LRESULT result = Control::handleMessage(message, wparam, lparam);
    if (life.alive())
        releasing_ = 0;
    return result;
}

void Button::endPress()
{
    stopTimer(pressDelayTimer);
    stopTimer(repeatTimer);
    if (pressed_)
        press(0);
}

void Button::onTimer(UINT_PTR id)
{
    LifeGuard life(*this);
    Control::onTimer(id);
    if (!life.alive() || (id != pressDelayTimer && id != repeatTimer))
        return;
    if (id == pressDelayTimer) {
        stopTimer(pressDelayTimer);
        startTimer(repeatTimer, repeatInterval);
    }
    onPressed();
}

void Button::press(int down)
{
    if (!down)
        pressed_ = 0;
    else if (pressable_)
        pressed_ = 1;
    updateBorder();
}

void Button::onLeftButtonDown(WPARAM flags, int x, int y)
{
    LifeGuard life(*this);
    Control::onLeftButtonDown(flags, x, y);
    if (!life.alive())
        return;
    if (pressable_)
        pressed_ = 1;
    if (style() & WS_TABSTOP)
        SetFocus(handle());
    if (!life.alive())
        return;
    updateBorder();
    startTimer(pressDelayTimer, pressDelay);
    onPressed();
}

void Button::onMouseMove(WPARAM flags, int x, int y)
{
    LifeGuard life(*this);
    Control::onMouseMove(flags, x, y);
    if (!life.alive() || !(flags & MK_LBUTTON) || GetCapture() != handle())
        return;
    RECT client;
    GetClientRect(handle(), &client);
    const POINT point = {x, y};
    if (!PtInRect(&client, point)) {
        press(0);
        return;
    }
    if (!pressed_)
        invalidate();
    press(1);
}

void Button::onLeftButtonUp(WPARAM flags, int x, int y)
{
    LifeGuard life(*this);
    Control::onLeftButtonUp(flags, x, y);
    if (!life.alive())
        return;
    RECT client;
    GetClientRect(handle(), &client);
    const POINT point = {x, y};
    // A release outside counts for nothing even when no move reported the
    // pointer leaving first.
    const bool click = pressed_ && PtInRect(&client, point);
    if (click && group_ && !toggle())
        return;
    endPress();
    if (click)
        onClicked();
}

void Button::onKeyDown(WPARAM key, LPARAM flags)
{
    LifeGuard life(*this);
    Control::onKeyDown(key, flags);
    if (!life.alive())
        return;
    if (key == VK_RETURN) {
        if (group_) {
            if (!toggle())
                return;
            updateBorder();
        }
        onClicked();
    } else if (key == VK_SPACE) {
        if (!pressed_)
            press(1);
        onPressed();
    }
}

void Button::onKeyUp(WPARAM key, LPARAM flags)
{
    LifeGuard life(*this);
    Control::onKeyUp(key, flags);
    if (!life.alive() || key != VK_SPACE || !pressed_)
        return;
    if (group_ && !toggle())
        return;
    press(0);
    onClicked();
}

bool Button::toggle()
{
    LifeGuard life(*this);
    if (checked_ && applyGroupRule(0)) {
        checked_ = 0;
        onStateChanged();
    } else if (!checked_) {
        checked_ = 1;
        onStateChanged();
        if (life.alive())
            applyGroupRule(1);
    }
    return life.alive();
}

int Button::setChecked(int state)
{
    state = state ? 1 : 0;
    if (state == checked_)
        return 1;
    LifeGuard life(*this);
    if (group_ != 0) {
        if (!state && !applyGroupRule(0))
            return 0;
        if (state) {
            checked_ = 1;
            onStateChanged();
            if (life.alive())
                applyGroupRule(1);
        }
    }
    if (life.alive() && checked_ != state) {
        checked_ = state;
        onStateChanged();
    }
    if (!life.alive())
        return 1;
    updateBorder();
    invalidate();
    return 1;
}

bool Button::isSiblingOfGroup(Window* window) const
{
    return window != this && window->classTag() == ClassTag::Button
        && static_cast<Button*>(window)->group_ == group_;
}

Button* Button::nextCheckedSibling() const
{
    Window* owner = parent();
    for (Window* child = owner->nextChild(nullptr, 0); child; child = owner->nextChild(child, 0)) {
        if (isSiblingOfGroup(child) && static_cast<Button*>(child)->checked_)
            return static_cast<Button*>(child);
    }
    return nullptr;
}

int Button::applyGroupRule(int uncheckOthers)
{
    if (!uncheckOthers && mayUncheck_)
        return 1;
    if (parent() == nullptr)
        return 0;
    if (!uncheckOthers)
        return nextCheckedSibling() != nullptr ? 1 : 0;
    LifeGuard life(*this);
    // Listeners of an unchecked sibling may change the children, so the
    // search starts again after each. A sibling that refuses ends it, and so
    // does the bound, in case a listener checks a sibling again.
    int bound = 0;
    for (Window* child = parent()->nextChild(nullptr, 0); child; child = parent()->nextChild(child, 0))
        ++bound;
    for (Button* sibling = nextCheckedSibling(); sibling != nullptr && bound-- > 0; sibling = nextCheckedSibling()) {
        if (!sibling->setChecked(0) || !life.alive())
            break;
    }
    return 1;
}

void Button::updateBorder()
{
    setBorderStyle(checked_ || pressed_ ? BorderSunken : BorderRaised);
}

void Button::onStateChanged()
{
    if (dependent_ != nullptr) {
        // Looked up by handle, so that a dependent destroyed first is skipped.
        Component* component = Component::fromHandle(dependent_);
        if (component != nullptr && component->classTag() != ClassTag::Component)
            static_cast<Window*>(component)->enable(checked_);
        else if (IsWindow(dependent_))
            EnableWindow(dependent_, checked_);
    }
    LifeGuard life(*this);
    stateListeners_.invoke(listenerLock(), life, this);
}

void Button::onClicked()
{
    LifeGuard life(*this);
    if (parent() != nullptr && commandId_ != 0)
        SendMessageA(parent()->handle(), TKM_ENDMODAL, static_cast<WPARAM>(commandId_), 0);
    if (life.alive())
        clickListeners_.invoke(listenerLock(), life, this);
}

void Button::onPressed()
{
    LifeGuard life(*this);
    pressListeners_.invoke(listenerLock(), life, this);
}

int Button::removeClick(const void* owner, ListenerFunction function)
{
    return clickListeners_.removeFirst(owner, function, listenerLock()) ? 0 : 1;
}

void Button::drawFocusFrame(HDC dc, RECT rect)
{
    if (checked_ || pressed_)
        offsetRect(rect, 1, 1);
    Control::drawFocusFrame(dc, rect);
}

void Button::drawBitmap(HDC dc, RECT rect)
{
    if (checked_ || pressed_)
        offsetRect(rect, 1, 1);
    Control::drawBitmap(dc, rect);
}

void Button::drawText(HDC dc, RECT rect, const char* caption, int length)
{
    if (checked_ || pressed_)
        offsetRect(rect, 1, 1);
    Control::drawText(dc, rect, caption, length);
    drawMark(dc, rect);
}

void Button::drawMark(HDC dc, RECT rect)
{
    int n = markSize_;
    if (n == 0) {
        RECT content;
        getClientRect(content);
        n = content.right - content.left < content.bottom - content.top ? content.right - content.left
                                                                         : content.bottom - content.top;
    }
    if (markStyle_ == MarkNone || n < 0 || n >= markSizeLimit)
        return;
    const RECT box = placeBox(rect, markAlignment_, n, n);
    const int x = box.left + markOffset_.x;
    const int y = box.top + markOffset_.y;
    if (markStyle_ == MarkCheckBox) {
        RECT square = {x, y, x + n, y + n};
        const UINT state = (checked_ ? DFCS_CHECKED : 0) | (pressed_ ? DFCS_PUSHED : 0);
        DrawFrameControl(dc, &square, DFC_BUTTON, DFCS_BUTTONCHECK | state);
    } else if (markStyle_ == MarkCross) {
        const OwnedGdiObject<HPEN> pen(CreatePen(PS_SOLID, n / 4, textColour()));
        SelectGuard selection(dc, pen.get());
        drawCrossMark(dc, x, y, n);
    } else {
        OwnedGdiObject<HPEN> disabledPen;
        if (!isEnabled())
            disabledPen.reset(CreatePen(PS_SOLID, 1, disabledTextColour()));
        const HPEN pen = disabledPen ? disabledPen.get() : markPen();
        if (pen == nullptr)
            return;
        SelectGuard selection(dc, pen);
        drawLineMark(dc, markStyle_, x, y, n);
    }
}

void Button::setMarkStyle(MarkStyle style)
{
    markStyle_ = style;
    if (style != MarkNone) {
        markPen_.reset();
        markPen_ = std::make_unique<CachedPen>(markColour_);
    }
    if (style == MarkCheckBox) {
        setBorderWidth(1);
        setFocusFrame(0);
    }
    invalidate();
}

void Button::setMarkColour(COLORREF colour)
{
    markColour_ = colour;
    if (markPen_) {
        markPen_.reset();
        markPen_ = std::make_unique<CachedPen>(colour);
    }
    invalidate();
}

void Button::setMarkSize(int size)
{
    markSize_ = size;
    invalidate();
}

void Button::setMarkAlignment(Alignment code)
{
    markAlignment_ = code;
    invalidate();
}

void Button::setMarkOffset(int x, int y)
{
    markOffset_ = {x, y};
    invalidate();
}

void Button::setPressable(int on)
{
    pressable_ = on;
    invalidate();
}

void Button::setGroup(int group)
{
    group_ = group;
    if (checked_)
        applyGroupRule(1);
}

void Button::setMayUncheck(int on)
{
    mayUncheck_ = on;
    Window* owner = parent();
    if (owner == nullptr)
        return;
    for (Window* child = owner->nextChild(nullptr, 0); child; child = owner->nextChild(child, 0)) {
        if (isSiblingOfGroup(child) && static_cast<Button*>(child)->mayUncheck_ != on)
            static_cast<Button*>(child)->setMayUncheck(on);
    }
}

void Button::setDependent(Window* window)
{
    dependent_ = window != nullptr ? window->handle() : nullptr;
    if (window != nullptr)
        window->enable(checked_);
}
