#include "toolkit/ToolTip.h"

#include <commctrl.h>

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "toolkit/Application.h"
#include "toolkit/SystemLibraries.h"

namespace {

// The record as far as lParam: what every comctl32 version since 4.70 accepts.
constexpr UINT toolInfoSize = static_cast<UINT>(offsetof(TTTOOLINFOA, lParam) + sizeof(LPARAM));
#if defined(_WIN64)
static_assert(toolInfoSize == 64, "tool record of the 64-bit build");
#else
static_assert(toolInfoSize == 44, "tool record of the 32-bit build is 44 bytes");
#endif

constexpr DWORD tooltipStyle = WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX | TTS_BALLOON;
constexpr LPARAM maxTipWidth = 1024;
// The ANSI TTM_GETTEXTA copies at most this many bytes, whatever the caller's buffer.
constexpr int tipTextLimit = INFOTIPSIZE;

char emptyText[] = "";

TTTOOLINFOA toolInfo(HWND tool, UINT flags, char* text)
{
    TTTOOLINFOA info;
    std::memset(&info, 0, sizeof info);
    info.cbSize = toolInfoSize;
    info.uFlags = flags;
    info.hwnd = tool;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.hinst = application.instance();
    info.lpszText = text;
    return info;
}

HWND createTooltipWindow()
{
    INITCOMMONCONTROLSEX controls = { sizeof(INITCOMMONCONTROLSEX), 0xFF };
    initCommonControls(&controls);
    HWND window = CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, tooltipStyle, CW_USEDEFAULT, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
    if (window != nullptr)
        SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    return window;
}

}  // namespace

ToolTip::ToolTip()
    : window(createTooltipWindow())
{
}

ToolTip::~ToolTip()
{
    if (window != nullptr)
        DestroyWindow(window);
}

HWND ToolTip::handle() const
{
    return window;
}

LRESULT ToolTip::addTool(HWND tool, UINT flags)
{
    SendMessageA(window, TTM_SETMAXTIPWIDTH, 0, maxTipWidth);
    char* text = (flags & TTF_TRACK) != 0 ? LPSTR_TEXTCALLBACKA : emptyText;
    TTTOOLINFOA info = toolInfo(tool, flags, text);
    return SendMessageA(window, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

void ToolTip::removeTool(HWND tool)
{
    TTTOOLINFOA info = toolInfo(tool, 0, nullptr);
    SendMessageA(window, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

LRESULT ToolTip::setToolText(HWND tool, const char* text)
{
    // The tooltip window copies the text; it never writes through the pointer.
    TTTOOLINFOA info = toolInfo(tool, 0, const_cast<char*>(text));
    return SendMessageA(window, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
}

LRESULT ToolTip::getToolText(HWND tool, char* buffer, int size)
{
    if (buffer == nullptr || size <= 0)
        return 0;
    // Older tooltip windows ignore the size in wparam, so the text is read into
    // a buffer of the largest size they write and copied from there.
    char text[tipTextLimit + 1] = {};
    TTTOOLINFOA info = toolInfo(tool, 0, text);
    LRESULT result = SendMessageA(window, TTM_GETTEXTA, tipTextLimit, reinterpret_cast<LPARAM>(&info));
    const size_t length = std::min(std::strlen(text), static_cast<size_t>(size - 1));
    std::memcpy(buffer, text, length);
    buffer[length] = '\0';
    return result;
}

void ToolTip::activate(int on)
{
    SendMessageA(window, TTM_ACTIVATE, static_cast<WPARAM>(on), 0);
}

void ToolTip::setAutoPopDelay(int milliseconds)
{
    SendMessageA(window, TTM_SETDELAYTIME, TTDT_AUTOPOP, static_cast<LPARAM>(milliseconds));
}

void ToolTip::setInitialDelay(int milliseconds)
{
    SendMessageA(window, TTM_SETDELAYTIME, TTDT_INITIAL, static_cast<LPARAM>(milliseconds));
}
