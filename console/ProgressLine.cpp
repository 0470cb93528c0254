#include "console/ProgressLine.h"

#include "console/ConsoleStream.h"

#include <windows.h>

#include <cstdio>

namespace {

const DWORD redrawInterval = 100;

} // namespace

ProgressLine::ProgressLine(ConsoleStream& stream) : stream(stream) {}

ProgressLine::~ProgressLine()
{
    hide();
}

bool ProgressLine::isEnabled() const
{
    return stream.isConsole();
}

void ProgressLine::start(int plannedItems)
{
    planned = plannedItems;
    done = 0;
    running = isEnabled();
    if (running)
        draw();
}

void ProgressLine::advance()
{
    ++done;
    if (running && GetTickCount() - lastDraw >= redrawInterval)
        draw();
}

void ProgressLine::hide()
{
    if (drawnLength == 0)
        return;
    stream.write("\r" + String::repeat(' ', drawnLength) + "\r");
    stream.flush();
    drawnLength = 0;
    lastDraw = 0;
}

void ProgressLine::draw()
{
    // The plan was made before the run: the machine may have changed since.
    int total = done > planned ? done : planned;
    char text[64];
    int length = std::snprintf(text, sizeof text, "\r%d of %d items", done, total);
    int padding = drawnLength > length - 1 ? drawnLength - (length - 1) : 0;
    stream.write(String(text) + String::repeat(' ', padding));
    stream.flush();
    drawnLength = length - 1 + padding;
    lastDraw = GetTickCount();
}
