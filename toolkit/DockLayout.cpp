#include "toolkit/DockLayout.h"

#include "toolkit/Window.h"

namespace {

struct FreeArea {
    RECT rect;
    HDWP batch;
};

void place(FreeArea& area, Window* child, int x, int y, int width, int height)
{
    if (area.batch)
        area.batch = DeferWindowPos(area.batch, child->handle(), nullptr, x, y, width, height,
                                    SWP_NOZORDER | SWP_NOACTIVATE);
}

bool visible(Window* child)
{
    return (child->style() & WS_VISIBLE) != 0;
}

void placeTopOrBottom(FreeArea& area, Window* child, bool atTop)
{
    RECT& r = area.rect;
    const int height = child->height();
    if (atTop) {
        place(area, child, r.left, r.top, r.right - r.left, height);
        if (visible(child))
            r.top += height;
    } else {
        place(area, child, r.left, r.bottom - height, r.right - r.left, height);
        if (visible(child))
            r.bottom -= height;
    }
}

void placeLeftOrRight(FreeArea& area, Window* child, bool atLeft)
{
    RECT& r = area.rect;
    const int width = child->width();
    if (atLeft) {
        place(area, child, r.left, r.top, width, r.bottom - r.top);
        if (visible(child))
            r.left += width;
    } else {
        place(area, child, r.right - width, r.top, width, r.bottom - r.top);
        if (visible(child))
            r.right -= width;
    }
}

void placePass(FreeArea& area, Window& parent, int pass)
{
    for (Window* c = parent.nextChild(nullptr, 0); c; c = parent.nextChild(c, 0)) {
        const DockMode mode = c->dock();
        if (pass == 1 && (mode == DockTop || mode == DockBottom))
            placeTopOrBottom(area, c, mode == DockTop);
        else if (pass == 2 && (mode == DockLeft || mode == DockRight))
            placeLeftOrRight(area, c, mode == DockLeft);
        else if (pass == 3 && (mode == DockInnerTop || mode == DockInnerBottom))
            placeTopOrBottom(area, c, mode == DockInnerTop);
        else if (pass == 4 && mode == DockFill)
            place(area, c, area.rect.left, area.rect.top, area.rect.right - area.rect.left,
                  area.rect.bottom - area.rect.top);
    }
}

// The parents whose layout is running on this thread. Placing a docked child
// asks its parent for a layout again; that nested request adds nothing.
class RunningLayout;
RunningLayout* runningLayouts = nullptr;

class RunningLayout {
public:
    explicit RunningLayout(const Window& parent) : parent(&parent), outer(runningLayouts) { runningLayouts = this; }
    ~RunningLayout() { runningLayouts = outer; }
    RunningLayout(const RunningLayout&) = delete;
    RunningLayout& operator=(const RunningLayout&) = delete;

    const Window* parent;
    RunningLayout* outer;
};

bool layoutRunning(const Window& parent)
{
    for (RunningLayout* r = runningLayouts; r; r = r->outer) {
        if (r->parent == &parent)
            return true;
    }
    return false;
}

}

void layoutDockedChildren(Window& parent)
{
    if (layoutRunning(parent))
        return;
    int docked = 0;
    for (Window* c = parent.nextChild(nullptr, 0); c; c = parent.nextChild(c, 0))
        docked += c->dock() != DockNone ? 1 : 0;
    if (docked == 0)
        return;
    RunningLayout running(parent);
    FreeArea area;
    area.batch = BeginDeferWindowPos(docked);
    parent.getClientRect(area.rect);
    for (int pass = 1; pass <= 4; ++pass)
        placePass(area, parent, pass);
    if (area.batch)
        EndDeferWindowPos(area.batch);
}
