#include "toolkit/BorderPenTable.h"

#include "toolkit/Application.h"

BorderPenTable::BorderPenTable() : levels(0), pens(nullptr) {}

BorderPenTable::~BorderPenTable()
{
    releaseAll();
    delete[] pens;
}

HPEN BorderPenTable::inheritMarker()
{
    return reinterpret_cast<HPEN>(static_cast<INT_PTR>(-1));
}

void BorderPenTable::reset(int count)
{
    releaseAll();
    if (count < 0)
        count = 0;
    if (count != levels) {
        delete[] pens;
        pens = nullptr;
        levels = count;
        if (count != 0)
            pens = new HPEN[2 * static_cast<size_t>(count)];
    }
    for (int i = 0; i < 2 * levels; ++i)
        pens[i] = inheritMarker();
}

HPEN BorderPenTable::light(int level) const
{
    if (level < 0 || level >= levels)
        return nullptr;
    return pens[2 * level];
}

HPEN BorderPenTable::dark(int level) const
{
    if (level < 0 || level >= levels)
        return nullptr;
    return pens[2 * level + 1];
}

void BorderPenTable::set(int level, HPEN lightPen, HPEN darkPen)
{
    if (level < 0 || level >= levels) {
        if (lightPen != inheritMarker())
            application.releasePen(lightPen);
        if (darkPen != inheritMarker())
            application.releasePen(darkPen);
        return;
    }
    if (pens[2 * level] != inheritMarker())
        application.releasePen(pens[2 * level]);
    if (pens[2 * level + 1] != inheritMarker())
        application.releasePen(pens[2 * level + 1]);
    pens[2 * level] = lightPen;
    pens[2 * level + 1] = darkPen;
}

void BorderPenTable::releaseAll()
{
    for (int i = 0; i < 2 * levels; ++i) {
        if (pens[i] != inheritMarker())
            application.releasePen(pens[i]);
        pens[i] = inheritMarker();
    }
}
