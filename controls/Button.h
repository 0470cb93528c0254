// The toolkit's one clickable control: push, auto-repeat and toggle button, radio button and check box.
#pragma once

#include <windows.h>

#include <memory>

#include "controls/ButtonMarks.h"
#include "controls/Control.h"
#include "toolkit/CachedPen.h"

class Button : public Control {
public:
    using ButtonListeners = ListenerList<Button*>;
    // While held, the first timer fires once, then the repeat timer.
    static const UINT_PTR pressDelayTimer = 234;
    static const UINT_PTR repeatTimer = 235;

    Button(const char* caption, Window* parent, int x, int y, int width, int height, DWORD style);
    ~Button() override;

    LRESULT handleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
    void onTimer(UINT_PTR id) override;
    void onLeftButtonDown(WPARAM flags, int x, int y) override;
    void onLeftButtonUp(WPARAM flags, int x, int y) override;
    void onMouseMove(WPARAM flags, int x, int y) override;
    void onKeyDown(WPARAM key, LPARAM flags) override;
    void onKeyUp(WPARAM key, LPARAM flags) override;
    void drawFocusFrame(HDC dc, RECT rect) override;
    void drawBitmap(HDC dc, RECT rect) override;
    void drawText(HDC dc, RECT rect, const char* caption, int length) override;

    virtual void drawMark(HDC dc, RECT rect);
    // Sunken while checked or pressed, raised otherwise.
    virtual void updateBorder();
    // With uncheckOthers false: 1 when this button may go up. With true: unchecks
    // the other members of the group; 0 without a parent.
    virtual int applyGroupRule(int uncheckOthers);
    virtual void onStateChanged();
    virtual void onClicked();
    virtual void onPressed();

    // 0 when a group that may not be empty refuses to let this button go up.
    int setChecked(int state);
    int isChecked() const { return checked_; }
    int isPressed() const { return pressed_; }
    void setMarkStyle(MarkStyle style);
    void setMarkColour(COLORREF colour);
    void setMarkSize(int size);
    void setMarkAlignment(Alignment code);
    void setMarkOffset(int x, int y);
    void setPressable(int on);
    void setCommandId(int id) { commandId_ = id; }
    void setGroup(int group);
    // Also given to every sibling of the same group.
    void setMayUncheck(int on);
    // Enabled while this button is checked, disabled while it is not.
    void setDependent(Window* window);
    MarkStyle markStyle() const { return markStyle_; }
    COLORREF markColour() const { return markColour_; }
    HPEN markPen() const { return markPen_ ? markPen_->handle() : nullptr; }
    int group() const { return group_; }
    int mayUncheck() const { return mayUncheck_; }
    int commandId() const { return commandId_; }

    template <typename Owner>
    void addStateListener(Owner* owner, void (*function)(Owner*, Button*)) { stateListeners_.add(owner, function); }
    template <typename Owner>
    void addClickListener(Owner* owner, void (*function)(Owner*, Button*)) { clickListeners_.add(owner, function); }
    template <typename Owner>
    void addPressListener(Owner* owner, void (*function)(Owner*, Button*)) { pressListeners_.add(owner, function); }
    // 0 when an entry with that owner and function was taken out, 1 when none was found.
    template <typename Owner>
    int removeClickListener(Owner* owner, void (*function)(Owner*, Button*))
    {
        return removeClick(owner, reinterpret_cast<ListenerFunction>(function));
    }

    template <typename Owner>
    int removePressListener(Owner* owner, void (*function)(Owner*, Button*))
    {
        return pressListeners_.removeFirst(owner, reinterpret_cast<ListenerFunction>(function), listenerLock()) ? 0 : 1;
    }

private:
    int removeClick(const void* owner, ListenerFunction function);
    // The toggle step of mouse, Enter and space; false when a listener deleted the button.
    bool toggle();
    // Sets the pressed state (only when pressable) and the border.
    void press(int down);
    // Stops the repeat timers and lets the button up, without a click.
    void endPress();
    bool isSiblingOfGroup(Window* window) const;
    Button* nextCheckedSibling() const;

    std::unique_ptr<CachedPen> markPen_;
    int checked_ = 0;
    int pressed_ = 0;
    MarkStyle markStyle_ = MarkNone;
    COLORREF markColour_;
    Alignment markAlignment_ = AlignCentre;
    int markSize_ = 0;
    int group_ = 0;
    int mayUncheck_ = 0;
    int pressable_ = 1;
    POINT markOffset_ = {0, 0};
    int commandId_ = 0;
    // Set while the button's own release gives the capture back.
    int releasing_ = 0;
    HWND dependent_ = nullptr;
    ButtonListeners stateListeners_;
    ButtonListeners clickListeners_;
    ButtonListeners pressListeners_;
};
