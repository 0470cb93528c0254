// Painting a window of 10 labels, 10 buttons and 10 check boxes, toolkit controls against the system's own.
#include "bench/Stopwatch.h"
#include "controls/Button.h"
#include "controls/Label.h"
#include "toolkit/Application.h"
#include "toolkit/GdiCache.h"

#include <cstdio>
#include <vector>

namespace {

const int paints = 1000;
const int rounds = 3;
const int rows = 10;
const DWORD childStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;

Window* makeHost(int x)
{
    return new Window("bench", WS_POPUP | WS_VISIBLE, 0, x, 10, 300, 220, nullptr);
}

void fillToolkitWindow(Window* host)
{
    for (int i = 0; i < rows; ++i) {
        const int y = 8 + 21 * i;
        new Label("Caption of a row", host, 8, y, 0, 0, childStyle);
        Button* button = new Button("Press", host, 130, y, 70, 19, childStyle | WS_TABSTOP);
        button->setCommandId(i + 1);
        Button* box = new Button("", host, 230, y + 1, 16, 16, childStyle | WS_TABSTOP);
        box->setMarkStyle(MarkCheckBox);
        box->setGroup(i + 1);
        box->setMayUncheck(1);
        box->setChecked(i % 2);
    }
}

void fillNativeWindow(Window* host)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    for (int i = 0; i < rows; ++i) {
        const int y = 8 + 21 * i;
        CreateWindowExA(0, "STATIC", "Caption of a row", childStyle | SS_LEFT, 8, y, 110, 16, host->handle(),
                        nullptr, instance, nullptr);
        CreateWindowExA(0, "BUTTON", "Press", childStyle | WS_TABSTOP | BS_PUSHBUTTON, 130, y, 70, 19,
                        host->handle(), nullptr, instance, nullptr);
        HWND box = CreateWindowExA(0, "BUTTON", "", childStyle | WS_TABSTOP | BS_AUTOCHECKBOX, 230, y + 1, 16, 16,
                                   host->handle(), nullptr, instance, nullptr);
        SendMessageA(box, BM_SETCHECK, i % 2 ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

std::vector<HWND> childrenOf(HWND parent)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

// The window's background, then each child at its place: the toolkit's
// controls through WM_PAINT with the DC, the system's through WM_PRINT.
void paintWindow(HWND parent, HBRUSH background, HDC dc, bool native)
{
    RECT client;
    GetClientRect(parent, &client);
    FillRect(dc, &client, background);
    for (HWND child : childrenOf(parent)) {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
        POINT origin;
        SetViewportOrgEx(dc, r.left, r.top, &origin);
        if (native)
            SendMessageA(child, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_NONCLIENT | PRF_ERASEBKGND);
        else
            SendMessageA(child, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
        SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
    }
}

double timePaints(Window* host, HDC dc, bool native)
{
    Stopwatch watch;
    for (int i = 0; i < paints; ++i)
        paintWindow(host->handle(), host->backgroundBrush(), dc, native);
    return watch.milliseconds();
}

int references(const GdiCacheEntry* entry)
{
    int sum = 0;
    for (; entry; entry = entry->next)
        sum += entry->referenceCount;
    return sum;
}

void reportObjects(int controls)
{
    const int objects = gdiCacheCount(application.penList()) + gdiCacheCount(application.dotPenList())
                      + gdiCacheCount(application.brushList());
    const int held = references(application.penList()) + references(application.dotPenList())
                   + references(application.brushList());
    const double perControl = double(objects) / controls;
    std::printf("GDI objects of the toolkit window: %d pens and brushes in the cache for %d references "
                "held by its %d controls, %.3f per control (goal < 1: %s)\n",
                objects, held, controls, perControl, perControl < 1.0 ? "met" : "MISSED");
}

} // namespace

int main()
{
    Window* ours = makeHost(10);
    fillToolkitWindow(ours);
    Window* theirs = makeHost(320);
    fillNativeWindow(theirs);
    application.pumpPending();

    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 300, 220);
    ReleaseDC(nullptr, screen);
    HGDIOBJ previous = SelectObject(dc, bitmap);

    double oursBest = 1e30;
    double theirsBest = 1e30;
    for (int round = 0; round < rounds; ++round) {
        const double a = timePaints(theirs, dc, true);
        const double b = timePaints(ours, dc, false);
        theirsBest = a < theirsBest ? a : theirsBest;
        oursBest = b < oursBest ? b : oursBest;
    }
    reportFigure("paint 10 labels, 10 buttons, 10 check boxes 1000 times", "STATIC/BUTTON with WM_PRINT", oursBest,
                 theirsBest, 1.5);
    delete theirs;
    reportObjects(3 * rows);

    SelectObject(dc, previous);
    DeleteObject(bitmap);
    DeleteDC(dc);
    delete ours;
    application.pumpPending();
    return 0;
}
