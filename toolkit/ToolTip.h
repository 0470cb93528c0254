// The process's one tooltip window; toolkit windows register as tools by their handle.
#pragma once

#include <windows.h>

class ToolTip {
public:
    // Creates the tooltip window; on failure the handle is null and every
    // later call has no effect.
    ToolTip();
    ~ToolTip();
    ToolTip(const ToolTip&) = delete;
    ToolTip& operator=(const ToolTip&) = delete;

    HWND handle() const;

    // Registers the whole window as a tool. With TTF_TRACK in flags the text
    // comes by callback until setToolText gives it one. Returns TTM_ADDTOOLA's result.
    LRESULT addTool(HWND tool, UINT flags);
    // Forgets a tool. A window that registered should call it before it is
    // destroyed: the tooltip window keeps its tools otherwise, and a later
    // window that gets the same handle would inherit the old entry.
    void removeTool(HWND tool);
    LRESULT setToolText(HWND tool, const char* text);
    // Copies the tool's text into buffer, at most size bytes including the
    // terminator; the buffer always ends with a NUL when size > 0.
    LRESULT getToolText(HWND tool, char* buffer, int size);
    void activate(int on);
    void setAutoPopDelay(int milliseconds);
    void setInitialDelay(int milliseconds);

private:
    HWND window;
};
