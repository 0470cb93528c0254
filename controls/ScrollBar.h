// A custom-drawn scroll bar: two arrow buttons and a thumb button in a sunken control, on 64-bit positions.
#pragma once

#include <windows.h>

#include <cstdint>

#include "controls/Button.h"
#include "controls/Control.h"

class ScrollBar : public Control {
public:
    using ScrollListeners = ListenerList<ScrollBar*>;
    // Paging while the track is held: first after 500 ms, then every 100 ms.
    static const UINT_PTR trackTimer = 123;

    ScrollBar(Window* owner, int vertical, int x, int y, int width, int height, DockMode dock);
    ~ScrollBar() override;

    LRESULT handleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
    void onTimer(UINT_PTR id) override;
    void onLeftButtonDown(WPARAM flags, int x, int y) override;
    void onLeftButtonUp(WPARAM flags, int x, int y) override;
    void onMouseMove(WPARAM flags, int x, int y) override;
    // Resizing is handled with the message, once the buttons exist.
    void onSize() override;
    // Also the colour of both arrows' marks.
    void setTextColour(COLORREF colour) override;
    void setBorderWidth(int width) override;

    virtual void onScrolled();
    // Keeps minimum <= maximum, 0 <= page <= maximum - minimum and
    // minimum <= position <= maximum - page; calls no listener.
    virtual void setRange(std::int64_t minimum, std::int64_t maximum, std::int64_t page, std::int64_t position);
    // For the bar and its three buttons.
    virtual void setFaceFill(int on);
    // Also stretches the thumb across the bar.
    virtual void setBorderStyle(int code);
    // Clamped into the range; the listeners hear only of a change.
    virtual void scrollTo(std::int64_t position);
    virtual void setPageSize(std::int64_t page);

    std::int64_t position() const { return position_; }
    std::int64_t minimum() const { return minimum_; }
    std::int64_t maximum() const { return maximum_; }
    std::int64_t pageSize() const { return page_; }
    std::int64_t step() const { return step_; }
    void setStep(std::int64_t step) { step_ = step; }
    int isVertical() const { return vertical_; }
    void setThumbTabStop(int on);
    int thumbIsTabStop() const;
    int thumbPressed() const { return thumb_->isPressed(); }
    // For the bar and its three buttons.
    void setDoubleBuffered(int on);
    Button* firstArrow() const { return firstArrow_; }
    Button* secondArrow() const { return secondArrow_; }
    Button* thumb() const { return thumb_; }

    template <typename Owner>
    void addScrollListener(Owner* owner, void (*function)(Owner*, ScrollBar*)) { scrollListeners_.add(owner, function); }
    // 0 when an entry was taken out, 1 when none was found.
    template <typename Owner>
    int removeScrollListener(Owner* owner, void (*function)(Owner*, ScrollBar*))
    {
        return scrollListeners_.removeFirst(owner, reinterpret_cast<ListenerFunction>(function), listenerLock()) ? 0 : 1;
    }

private:
    static void arrowPressed(ScrollBar* bar, Button* arrow);
    static void thumbMoved(ScrollBar* bar, Window* thumb, WPARAM flags, int x, int y);
    static void thumbGrabbed(ScrollBar* bar, Window* thumb, WPARAM flags, int x, int y);
    static void thumbKey(ScrollBar* bar, Window* thumb, WPARAM key, LPARAM flags);

    void layout();
    void placeThumb(const RECT& content, int arrowsLength);
    // Moves by distance units towards the maximum or the minimum, clamped.
    void scrollBy(std::uint64_t distance, bool forward);
    void pageStep();
    void drag(int delta);
    void focusAfterPress();
    int along(POINT p) const { return vertical_ ? p.y : p.x; }

    int vertical_;
    std::int64_t minimum_ = 0;
    std::int64_t maximum_ = 100;
    std::int64_t page_ = 10;
    std::int64_t position_ = 0;
    POINT grab_ = {0, 0};
    Button* firstArrow_ = nullptr;
    Button* secondArrow_ = nullptr;
    Button* thumb_ = nullptr;
    POINT track_ = {0, 0};
    std::int64_t step_ = 1;
    ScrollListeners scrollListeners_;
};
