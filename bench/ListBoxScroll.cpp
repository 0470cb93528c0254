// A list box of 100,000 items: filling it, and scrolling it one row at a time through 1,000 paints into a
// memory DC, the toolkit's ListBox against the system's LISTBOX (painted with WM_PRINT).
#include "bench/Stopwatch.h"
#include "controls/ListBox.h"
#include "toolkit/Application.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

const int items = 100000;
const int paints = 1000;
const int fillRounds = 3;
const int scrollRounds = 15;
const int width = 200;
const int height = 300;

std::vector<std::string> itemTexts()
{
    std::vector<std::string> texts;
    texts.reserve(items);
    char text[32];
    for (int i = 0; i < items; ++i) {
        std::snprintf(text, sizeof text, "Item %06d", i);
        texts.push_back(text);
    }
    return texts;
}

// The window and its children at their places, each through WM_PAINT with the
// DC, as the system's WM_PRINT does with PRF_CHILDREN. The children and their
// places come from the toolkit's own ring and geometry, which ask the system nothing.
void paintTree(Window& window, HDC dc, POINT origin)
{
    POINT previous;
    SetViewportOrgEx(dc, origin.x, origin.y, &previous);
    SendMessageA(window.handle(), WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
    for (Window* child = window.nextChild(nullptr, 0); child; child = window.nextChild(child, 0)) {
        if (child->style() & WS_VISIBLE)
            paintTree(*child, dc, POINT{origin.x + child->x(), origin.y + child->y()});
    }
}

// Both lists on one hidden host: they paint into the memory DC only, never to the screen.
class Bench {
public:
    Bench()
        : host(new Window("bench", WS_POPUP, 0, 10, 10, 2 * width + 30, height + 20, nullptr)),
          ours(new ListBox(host, 10, 10, width, height, ListBox::Single, 1)),
          theirs(CreateWindowExA(0, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_BORDER | LBS_NOINTEGRALHEIGHT,
                                 width + 20, 10, width, height, host->handle(), nullptr, GetModuleHandleA(nullptr), nullptr)),
          texts(itemTexts())
    {
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        previous = SelectObject(dc, bitmap);
    }
    ~Bench()
    {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
        delete host;
        application.pumpPending();
    }
    Bench(const Bench&) = delete;
    Bench& operator=(const Bench&) = delete;

    double fillOurs()
    {
        ours->clear();
        Stopwatch watch;
        for (const std::string& text : texts)
            ours->addItem(text.c_str());
        return watch.milliseconds();
    }
    double fillTheirs()
    {
        SendMessageA(theirs, LB_RESETCONTENT, 0, 0);
        Stopwatch watch;
        for (const std::string& text : texts)
            SendMessageA(theirs, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        return watch.milliseconds();
    }
    double scrollOurs()
    {
        ours->scrollTo(0);
        Stopwatch watch;
        for (int row = 1; row <= paints; ++row) {
            ours->scrollTo(row);
            paintTree(*ours, dc, POINT{0, 0});
        }
        return watch.milliseconds();
    }
    double scrollTheirs()
    {
        SendMessageA(theirs, LB_SETTOPINDEX, 0, 0);
        Stopwatch watch;
        for (int row = 1; row <= paints; ++row) {
            SendMessageA(theirs, LB_SETTOPINDEX, static_cast<WPARAM>(row), 0);
            SendMessageA(theirs, WM_PRINT, reinterpret_cast<WPARAM>(dc),
                         PRF_CLIENT | PRF_NONCLIENT | PRF_ERASEBKGND | PRF_CHILDREN);
        }
        return watch.milliseconds();
    }
    bool sameTopRow() const
    {
        return ours->firstVisibleRow() == SendMessageA(theirs, LB_GETTOPINDEX, 0, 0)
            && ours->count() == SendMessageA(theirs, LB_GETCOUNT, 0, 0);
    }

private:
    Window* host;
    ListBox* ours;
    HWND theirs;
    std::vector<std::string> texts;
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previous;
};

} // namespace

int main()
{
    Bench bench;
    application.pumpPending();
    const PairedRounds fill =
        pairedRounds(fillRounds, [&] { return bench.fillTheirs(); }, [&] { return bench.fillOurs(); });
    reportPaired("fill with 100,000 items", "LISTBOX with LB_ADDSTRING", fill, 1.5);
    const PairedRounds scroll =
        pairedRounds(scrollRounds, [&] { return bench.scrollTheirs(); }, [&] { return bench.scrollOurs(); });
    reportPaired("scroll one row and paint, 1000 times", "LISTBOX with WM_PRINT", scroll, 1.5);
    if (!bench.sameTopRow())
        std::printf("the two lists did not end on the same row with the same count\n");
    return 0;
}
