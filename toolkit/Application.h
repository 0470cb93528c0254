// The process's one application object: instance, command line, main loop, tooltips, GDI cache lists.
#pragma once

#include <windows.h>

#include "toolkit/GdiCache.h"
#include "toolkit/ToolTip.h"

class String;

class Application {
public:
    // Creates the tooltip window and takes the running module's instance.
    Application();
    // Reports and deletes every pen, brush and dotted pen still cached, then
    // destroys the tooltip window.
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    HINSTANCE instance() const;
    // A null handle changes nothing.
    void setInstance(HINSTANCE h);

    // Argument 0 is the module path from the system, not the name as typed;
    // a missing argument is the empty String.
    String argument(int i) const;
    // At least 1: the program itself counts.
    int argumentCount() const;

    // Dispatches until quit is called or GetMessageA returns 0 (WM_QUIT) or -1;
    // returns GetMessageA's last result, 0 when it was never called.
    int run();
    // Dispatches what is already queued without waiting; always 0.
    int pumpPending();
    void quit();
    int isQuitting() const;

    ToolTip& tooltips();

    HPEN acquirePen(COLORREF colour);
    HPEN acquireDotPen(COLORREF colour);
    HBRUSH acquireBrush(COLORREF colour);
    void releasePen(HPEN pen);
    void releaseDotPen(HPEN pen);
    void releaseBrush(HBRUSH brush);

    const GdiCacheEntry* penList() const;
    const GdiCacheEntry* dotPenList() const;
    const GdiCacheEntry* brushList() const;

private:
    int quitFlag;
    HINSTANCE moduleInstance;
    ToolTip tooltip;
    GdiCacheEntry* pens;
    GdiCacheEntry* dotPens;
    GdiCacheEntry* brushes;
};

extern Application application;
