#include "toolkit/Application.h"

#include "foundation/String.h"
#include "toolkit/CommandLine.h"
#include "toolkit/SystemLibraries.h"

Application application;

namespace {

constexpr int modulePathSize = 4096;

// The application object is built before the entry point runs and creates the
// first window (the tooltips), which loads DLLs: the search must be restricted
// before that, so it happens while the instance is taken, ahead of the tooltip member.
HINSTANCE restrictDllSearchAndTakeInstance()
{
    restrictDllSearch();
    return GetModuleHandleA(nullptr);
}

}  // namespace

Application::Application()
    : quitFlag(0)
    , moduleInstance(restrictDllSearchAndTakeInstance())
    , pens(nullptr)
    , dotPens(nullptr)
    , brushes(nullptr)
{
}

Application::~Application()
{
    gdiCacheReportLeaks(pens, GdiObjectKind::Pen);
    gdiCacheReportLeaks(brushes, GdiObjectKind::Brush);
    gdiCacheReportLeaks(dotPens, GdiObjectKind::DotPen);
}

HINSTANCE Application::instance() const
{
    return moduleInstance;
}

void Application::setInstance(HINSTANCE h)
{
    if (h != nullptr)
        moduleInstance = h;
}

String Application::argument(int i) const
{
    if (i != 0)
        return commandLineToken(GetCommandLineA(), i);
    String path(modulePathSize - 1);
    GetModuleFileNameA(nullptr, path.cStr(), static_cast<DWORD>(path.capacity()));
    path.syncLength();
    return path;
}

int Application::argumentCount() const
{
    return commandLineTokenCount(GetCommandLineA());
}

int Application::run()
{
    int result = 0;
    MSG message;
    // The flag is tested before each wait so that a quit issued by a handler
    // ends the loop without another message arriving.
    while (quitFlag == 0) {
        result = GetMessageA(&message, nullptr, 0, 0);
        if (result < 1)
            break;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return result;
}

int Application::pumpPending()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        // A WM_QUIT taken here would be lost to the loop that waits for it.
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}

void Application::quit()
{
    quitFlag = 1;
}

int Application::isQuitting() const
{
    return quitFlag;
}

ToolTip& Application::tooltips()
{
    return tooltip;
}

HPEN Application::acquirePen(COLORREF colour)
{
    return static_cast<HPEN>(gdiCacheAcquire(pens, GdiObjectKind::Pen, colour));
}

HPEN Application::acquireDotPen(COLORREF colour)
{
    return static_cast<HPEN>(gdiCacheAcquire(dotPens, GdiObjectKind::DotPen, colour));
}

HBRUSH Application::acquireBrush(COLORREF colour)
{
    return static_cast<HBRUSH>(gdiCacheAcquire(brushes, GdiObjectKind::Brush, colour));
}

void Application::releasePen(HPEN pen)
{
    gdiCacheRelease(pens, GdiObjectKind::Pen, pen);
}

void Application::releaseDotPen(HPEN pen)
{
    gdiCacheRelease(dotPens, GdiObjectKind::DotPen, pen);
}

void Application::releaseBrush(HBRUSH brush)
{
    gdiCacheRelease(brushes, GdiObjectKind::Brush, brush);
}

const GdiCacheEntry* Application::penList() const
{
    return pens;
}

const GdiCacheEntry* Application::dotPenList() const
{
    return dotPens;
}

const GdiCacheEntry* Application::brushList() const
{
    return brushes;
}
