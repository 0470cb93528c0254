// Pens and brushes for 1000 windows of the default look: the shared cache against one set per window.
#include "bench/Stopwatch.h"
#include "toolkit/Application.h"
#include "toolkit/Drawing.h"

#include <cstdio>
#include <set>
#include <vector>

namespace {

const int windows = 1000;
const int rounds = 5;
// What a top-level window of the default look holds: three bevel levels of
// light and dark pens, two dotted pens, background and face brushes.
const double bevelShades[] = { 70.0 / 255, 2 * 70.0 / 3 / 255, 70.0 / 3 / 255 };
const COLORREF background = 0x404040;

struct LookObjects {
    HGDIOBJ pens[6];
    HGDIOBJ dotPens[2];
    HGDIOBJ brushes[2];
};

LookObjects acquireLook()
{
    LookObjects look;
    for (int i = 0; i < 3; ++i) {
        look.pens[2 * i] = application.acquirePen(shadeColour(background, bevelShades[i]));
        look.pens[2 * i + 1] = application.acquirePen(shadeColour(background, -bevelShades[i]));
    }
    look.dotPens[0] = application.acquireDotPen(shadeColour(background, -0.4));
    look.dotPens[1] = application.acquireDotPen(shadeColour(background, 0.4));
    look.brushes[0] = application.acquireBrush(background);
    look.brushes[1] = application.acquireBrush(shadeColour(background, 46.0 / 255));
    return look;
}

void releaseLook(const LookObjects& look)
{
    for (HGDIOBJ pen : look.pens)
        application.releasePen(static_cast<HPEN>(pen));
    for (HGDIOBJ pen : look.dotPens)
        application.releaseDotPen(static_cast<HPEN>(pen));
    for (HGDIOBJ brush : look.brushes)
        application.releaseBrush(static_cast<HBRUSH>(brush));
}

LookObjects createLook()
{
    LookObjects look;
    for (int i = 0; i < 3; ++i) {
        look.pens[2 * i] = CreatePen(PS_SOLID, 0, shadeColour(background, bevelShades[i]));
        look.pens[2 * i + 1] = CreatePen(PS_SOLID, 0, shadeColour(background, -bevelShades[i]));
    }
    look.dotPens[0] = CreatePen(PS_DOT, 1, shadeColour(background, -0.4));
    look.dotPens[1] = CreatePen(PS_DOT, 1, shadeColour(background, 0.4));
    look.brushes[0] = CreateSolidBrush(background);
    look.brushes[1] = CreateSolidBrush(shadeColour(background, 46.0 / 255));
    return look;
}

void deleteLook(const LookObjects& look)
{
    for (HGDIOBJ object : look.pens)
        DeleteObject(object);
    for (HGDIOBJ object : look.dotPens)
        DeleteObject(object);
    for (HGDIOBJ object : look.brushes)
        DeleteObject(object);
}

template <typename Take, typename Give>
double timeLooks(Take take, Give give, std::vector<LookObjects>& looks)
{
    Stopwatch watch;
    for (int i = 0; i < windows; ++i)
        looks[size_t(i)] = take();
    for (int i = 0; i < windows; ++i)
        give(looks[size_t(i)]);
    return watch.milliseconds();
}

// Distinct objects alive while every window holds its set.
template <typename Take, typename Give>
size_t objectsHeld(Take take, Give give, std::vector<LookObjects>& looks)
{
    std::set<HGDIOBJ> distinct;
    for (LookObjects& look : looks) {
        look = take();
        distinct.insert(std::begin(look.pens), std::end(look.pens));
        distinct.insert(std::begin(look.dotPens), std::end(look.dotPens));
        distinct.insert(std::begin(look.brushes), std::end(look.brushes));
    }
    for (const LookObjects& look : looks)
        give(look);
    return distinct.size();
}

} // namespace

int main()
{
    std::vector<LookObjects> looks(windows);
    double ours = 1e30;
    double theirs = 1e30;
    for (int round = 0; round < rounds; ++round) {
        double a = timeLooks(createLook, deleteLook, looks);
        double b = timeLooks(acquireLook, releaseLook, looks);
        theirs = a < theirs ? a : theirs;
        ours = b < ours ? b : ours;
    }
    reportFigure("take and give back the pens and brushes of 1000 windows", "CreatePen/DeleteObject per window",
                 ours, theirs, 0.5);
    std::printf("GDI objects held by 1000 windows: cache %d, one set per window %d\n",
                int(objectsHeld(acquireLook, releaseLook, looks)), int(objectsHeld(createLook, deleteLook, looks)));
    return gdiCacheCount(application.penList()) == 0 ? 0 : 1;
}
