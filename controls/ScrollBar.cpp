#include "controls/ScrollBar.h"

#include "controls/ScrollMath.h"
#include "toolkit/ClassTags.h"
#include "toolkit/LifeGuard.h"

namespace {

const DWORD barStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_TABSTOP;
const DWORD arrowStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
const DWORD thumbStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP;
const UINT firstPageDelay = 500;
const UINT pageInterval = 100;

int smaller(int a, int b)
{
    return a < b ? a : b;
}

// The drag distance rounded to whole steps of m as the bar has always done it:
// ((value + m - 1) / m) * m with division truncating towards zero, which rounds
// a forward drag up and a backward one towards zero, worked on the magnitude so
// that nothing overflows.
std::uint64_t roundToStep(std::uint64_t distance, bool backwards, std::uint64_t m)
{
    if (!backwards) {
        const std::uint64_t steps = distance / m + (distance % m != 0 ? 1 : 0);
        return steps > ~std::uint64_t(0) / m ? distance : steps * m;
    }
    return distance > m - 1 ? (distance - (m - 1)) / m * m : 0;
}

void resizeIfNeeded(Window* w, int width, int height)
{
    if (w->width() != width || w->height() != height)
        w->setSize(width, height);
}

}

ScrollBar::ScrollBar(Window* owner, int vertical, int x, int y, int width, int height, DockMode dock)
    : Control("", owner, x, y, width, height, barStyle, 0), vertical_(vertical ? 1 : 0)
{
    setClassTag(ClassTag::ScrollBar);
    RECT c;
    getClientRect(c);
    const int t = smaller(c.right - c.left, c.bottom - c.top);
    if (vertical_) {
        firstArrow_ = new Button("", this, c.left, c.top, t, t, arrowStyle);
        firstArrow_->setDock(DockInnerTop);
        firstArrow_->setMarkStyle(MarkTriangleUp);
        secondArrow_ = new Button("", this, c.left, c.bottom - t, t, t, arrowStyle);
        secondArrow_->setDock(DockInnerBottom);
        secondArrow_->setMarkStyle(MarkTriangleDown);
        thumb_ = new Button("", this, c.left, c.top + t, t, t, thumbStyle);
    } else {
        firstArrow_ = new Button("", this, c.left, c.top, t, t, arrowStyle);
        firstArrow_->setDock(DockLeft);
        firstArrow_->setMarkStyle(MarkTriangleLeft);
        secondArrow_ = new Button("", this, c.right - t, c.top, t, t, arrowStyle);
        secondArrow_->setDock(DockRight);
        secondArrow_->setMarkStyle(MarkTriangleRight);
        thumb_ = new Button("", this, c.left + t, c.top, t, t, thumbStyle);
    }
    firstArrow_->setFocusFrame(0);
    secondArrow_->setFocusFrame(0);
    thumb_->setPressable(0);
    firstArrow_->addPressListener(this, arrowPressed);
    secondArrow_->addPressListener(this, arrowPressed);
    thumb_->addMouseMoveListener(this, thumbMoved);
    thumb_->addLeftButtonDownListener(this, thumbGrabbed);
    thumb_->addKeyDownListener(this, thumbKey);
    setRange(0, 100, 10, 0);
    setDock(dock);
    setBorderStyle(BorderSunken);
}

ScrollBar::~ScrollBar()
{
    markDestroying();
    firstArrow_->removePressListener(this, arrowPressed);
    secondArrow_->removePressListener(this, arrowPressed);
    thumb_->removeListeners(this);
}

LRESULT ScrollBar::handleMessage(UINT message, WPARAM wparam, LPARAM lparam)
{
    LifeGuard life(*this);
    const LRESULT result = Control::handleMessage(message, wparam, lparam);
    if (!life.alive())
        return result;
    if (message == WM_SIZE || message == WM_ENABLE || message == TKM_ENABLE)
        layout();
    else if (message == WM_CAPTURECHANGED)
        stopTimer(trackTimer);
    return result;
}

void ScrollBar::onSize() {}

void ScrollBar::onTimer(UINT_PTR id)
{
    LifeGuard life(*this);
    Control::onTimer(id);
    if (!life.alive() || id != trackTimer)
        return;
    stopTimer(trackTimer);
    // Without the capture the track is no longer held: no page step then.
    if (GetCapture() != handle())
        return;
    startTimer(trackTimer, pageInterval);
    pageStep();
}

void ScrollBar::onLeftButtonDown(WPARAM, int x, int y)
{
    LifeGuard life(*this);
    focusAfterPress();
    if (!life.alive())
        return;
    track_ = {x, y};
    startTimer(trackTimer, firstPageDelay);
    pageStep();
}

void ScrollBar::onLeftButtonUp(WPARAM, int, int)
{
    stopTimer(trackTimer);
}

void ScrollBar::onMouseMove(WPARAM flags, int x, int y)
{
    if ((flags & MK_LBUTTON) && GetCapture() == handle())
        track_ = {x, y};
}

void ScrollBar::setTextColour(COLORREF colour)
{
    Control::setTextColour(colour);
    if (!firstArrow_)
        return;
    firstArrow_->setMarkColour(textColour());
    secondArrow_->setMarkColour(textColour());
}

void ScrollBar::setBorderWidth(int width)
{
    Control::setBorderWidth(width);
    layout();
}

void ScrollBar::onScrolled()
{
    LifeGuard life(*this);
    scrollListeners_.invoke(listenerLock(), life, this);
}

void ScrollBar::setRange(std::int64_t minimum, std::int64_t maximum, std::int64_t page, std::int64_t position)
{
    if (minimum > maximum)
        maximum = minimum;
    // A negative page would break the invariant the layout divides by.
    if (page < 0)
        page = 0;
    if (static_cast<std::uint64_t>(page) > scrollmath::span(minimum, maximum))
        page = static_cast<std::int64_t>(scrollmath::span(minimum, maximum));
    if (position < minimum)
        position = minimum;
    if (position > maximum - page)
        position = maximum - page;
    minimum_ = minimum;
    maximum_ = maximum;
    page_ = page;
    position_ = position;
    layout();
}

void ScrollBar::setFaceFill(int on)
{
    Control::setFaceFill(on);
    firstArrow_->setFaceFill(on);
    secondArrow_->setFaceFill(on);
    thumb_->setFaceFill(on);
}

void ScrollBar::setBorderStyle(int code)
{
    Control::setBorderStyle(code);
    RECT c;
    getClientRect(c);
    if (vertical_)
        SetWindowPos(thumb_->handle(), nullptr, c.left, thumb_->y(), c.right - c.left, thumb_->height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    else
        SetWindowPos(thumb_->handle(), nullptr, thumb_->x(), c.top, thumb_->width(), c.bottom - c.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    layout();
}

void ScrollBar::scrollTo(std::int64_t position)
{
    const std::int64_t last = maximum_ - page_;
    position = position < minimum_ ? minimum_ : position > last ? last : position;
    if (position == position_)
        return;
    position_ = position;
    layout();
    onScrolled();
}

void ScrollBar::setPageSize(std::int64_t page)
{
    if (page < 0)
        page = 0;
    if (static_cast<std::uint64_t>(page) > scrollmath::span(minimum_, maximum_))
        page = static_cast<std::int64_t>(scrollmath::span(minimum_, maximum_));
    page_ = page;
    if (position_ > maximum_ - page_)
        scrollTo(maximum_ - page_);
    else
        layout();
}

void ScrollBar::setThumbTabStop(int on)
{
    const LONG s = thumb_->style();
    thumb_->setStyle(on ? (s | WS_TABSTOP) : (s & ~static_cast<LONG>(WS_TABSTOP)));
}

int ScrollBar::thumbIsTabStop() const
{
    return (thumb_->style() & WS_TABSTOP) ? 1 : 0;
}

void ScrollBar::setDoubleBuffered(int on)
{
    Window::setDoubleBuffered(on);
    firstArrow_->setDoubleBuffered(on);
    secondArrow_->setDoubleBuffered(on);
    thumb_->setDoubleBuffered(on);
}

void ScrollBar::layout()
{
    if (!thumb_)
        return;
    RECT c;
    getClientRect(c);
    int t = smaller(c.right - c.left, c.bottom - c.top);
    t = t < 0 ? 0 : t;
    resizeIfNeeded(firstArrow_, t, t);
    resizeIfNeeded(secondArrow_, t, t);
    const bool usable = scrollmath::span(minimum_, maximum_) != static_cast<std::uint64_t>(page_) && isEnabled();
    if (IsWindowEnabled(firstArrow_->handle()) != (usable ? TRUE : FALSE)) {
        firstArrow_->enable(usable);
        secondArrow_->enable(usable);
    }
    // Whether the thumb is shown, not whether it can be seen: in a hidden
    // window it would otherwise keep a stale state until the window is shown.
    const bool shown = (thumb_->style() & WS_VISIBLE) != 0;
    if (!usable) {
        if (shown)
            thumb_->show(0);
        return;
    }
    const int arrows = vertical_ ? firstArrow_->height() + secondArrow_->height()
                                 : firstArrow_->width() + secondArrow_->width();
    placeThumb(c, arrows);
    if (!shown)
        thumb_->show(1);
}

void ScrollBar::placeThumb(const RECT& c, int arrowsLength)
{
    const std::uint64_t range = scrollmath::span(minimum_, maximum_);
    const int t = smaller(c.right - c.left, c.bottom - c.top);
    int track = (vertical_ ? c.bottom - c.top : c.right - c.left) - arrowsLength;
    track = track < 0 ? 0 : track;
    int length = static_cast<int>(scrollmath::scale(static_cast<std::uint64_t>(track), static_cast<std::uint64_t>(page_), range));
    length = length < 2 * borderWidth() ? 2 * borderWidth() : length;
    const int free = track > length ? track - length : 0;
    const int offset = static_cast<int>(scrollmath::scale(static_cast<std::uint64_t>(free),
        scrollmath::span(minimum_, position_), range - static_cast<std::uint64_t>(page_)));
    const int lead = vertical_ ? c.top + firstArrow_->height() + offset : c.left + firstArrow_->width() + offset;
    const int x = vertical_ ? c.left : lead;
    const int y = vertical_ ? lead : c.top;
    const int width = vertical_ ? t : length;
    const int height = vertical_ ? length : t;
    if (thumb_->x() != x || thumb_->y() != y || thumb_->width() != width || thumb_->height() != height)
        SetWindowPos(thumb_->handle(), nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void ScrollBar::scrollBy(std::uint64_t distance, bool forward)
{
    scrollTo(scrollmath::step(position_, distance, forward, minimum_, maximum_ - page_));
}

void ScrollBar::pageStep()
{
    const int point = along(track_);
    const int lead = vertical_ ? thumb_->y() : thumb_->x();
    const int trail = lead + (vertical_ ? thumb_->height() : thumb_->width());
    if (point < lead)
        scrollBy(static_cast<std::uint64_t>(page_), false);
    else if (point >= trail)
        scrollBy(static_cast<std::uint64_t>(page_), true);
}

void ScrollBar::drag(int delta)
{
    RECT c;
    getClientRect(c);
    const int content = vertical_ ? c.bottom - c.top : c.right - c.left;
    const int arrow = vertical_ ? firstArrow_->height() : firstArrow_->width();
    const int thumbLength = vertical_ ? thumb_->height() : thumb_->width();
    int track = content - 2 * arrow - thumbLength;
    track = track < 1 ? 1 : track;
    const std::uint64_t movable = scrollmath::span(minimum_, maximum_) - static_cast<std::uint64_t>(page_);
    const bool backwards = delta < 0;
    std::uint64_t distance = scrollmath::scale(scrollmath::magnitude(delta), movable, static_cast<std::uint64_t>(track));
    // A step of 0 would divide by zero: it rounds nothing.
    const std::uint64_t m = step_ == 0 ? 1 : scrollmath::magnitude(step_);
    distance = roundToStep(distance, backwards, m);
    scrollBy(distance, backwards == (step_ < 0));
}

void ScrollBar::focusAfterPress()
{
    if (thumbIsTabStop() && thumb_->takeFocus(0))
        return;
    if (!thumbIsTabStop() && parent())
        parent()->takeFocus(0);
}

void ScrollBar::arrowPressed(ScrollBar* bar, Button* arrow)
{
    LifeGuard life(*bar);
    // position - step for the first arrow, position + step for the second.
    const bool forward = (arrow == bar->secondArrow_) == (bar->step_ >= 0);
    bar->scrollBy(scrollmath::magnitude(bar->step_), forward);
    if (life.alive())
        bar->focusAfterPress();
}

void ScrollBar::thumbGrabbed(ScrollBar* bar, Window*, WPARAM, int x, int y)
{
    // Also taken at the press: the thumb may have moved under a resting pointer.
    bar->grab_ = {x, y};
}

void ScrollBar::thumbMoved(ScrollBar* bar, Window*, WPARAM flags, int x, int y)
{
    if (!(flags & MK_LBUTTON)) {
        bar->grab_ = {x, y};
        return;
    }
    const POINT pointer = {x, y};
    bar->drag(bar->along(pointer) - bar->along(bar->grab_));
}

void ScrollBar::thumbKey(ScrollBar* bar, Window*, WPARAM key, LPARAM)
{
    switch (key) {
    case VK_LEFT:
    case VK_UP:
        bar->scrollBy(1, false);
        break;
    case VK_RIGHT:
    case VK_DOWN:
        bar->scrollBy(1, true);
        break;
    case VK_NEXT:
        bar->scrollBy(static_cast<std::uint64_t>(bar->page_), true);
        break;
    case VK_PRIOR:
        bar->scrollBy(static_cast<std::uint64_t>(bar->page_), false);
        break;
    default:
        break;
    }
}
