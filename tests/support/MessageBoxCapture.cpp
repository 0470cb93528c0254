#include "tests/support/MessageBoxCapture.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

namespace testsupport {

namespace {

MessageBoxCapture* activeCapture = nullptr;

std::string windowText(HWND window)
{
    char buffer[4096] = {};
    GetWindowTextA(window, buffer, static_cast<int>(sizeof buffer));
    return buffer;
}

bool isDialog(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, static_cast<int>(sizeof name));
    return std::strcmp(name, "#32770") == 0;
}

// The message text is the box's static control that holds text (the icon's has none).
BOOL CALLBACK findText(HWND child, LPARAM found)
{
    char name[64] = {};
    GetClassNameA(child, name, static_cast<int>(sizeof name));
    std::string* text = reinterpret_cast<std::string*>(found);
    if (_stricmp(name, "Static") == 0 && text->empty())
        *text = windowText(child);
    return TRUE;
}

}  // namespace

struct MessageBoxCaptureAccess {
    static LRESULT CALLBACK hook(int code, WPARAM wParam, LPARAM lParam)
    {
        if (code == HCBT_DESTROYWND && activeCapture != nullptr) {
            std::vector<void*>& open = activeCapture->openBoxes_;
            open.erase(std::remove(open.begin(), open.end(), reinterpret_cast<void*>(wParam)), open.end());
        }
        if (code == HCBT_ACTIVATE && activeCapture != nullptr) {
            HWND box = reinterpret_cast<HWND>(wParam);
            std::vector<void*>& open = activeCapture->openBoxes_;
            if (isDialog(box) && std::find(open.begin(), open.end(), box) == open.end()) {
                open.push_back(box);
                CapturedMessageBox captured;
                captured.caption = windowText(box);
                EnumChildWindows(box, findText, reinterpret_cast<LPARAM>(&captured.text));
                activeCapture->boxes_.push_back(captured);
                PostMessageA(box, WM_COMMAND, MAKEWPARAM(activeCapture->answer_, BN_CLICKED), 0);
            }
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
};

MessageBoxCapture::MessageBoxCapture()
    : hook_(SetWindowsHookExA(WH_CBT, &MessageBoxCaptureAccess::hook, nullptr, GetCurrentThreadId())),
      answer_(IDOK)
{
    activeCapture = this;
}

MessageBoxCapture::~MessageBoxCapture()
{
    activeCapture = nullptr;
    if (hook_ != nullptr)
        UnhookWindowsHookEx(static_cast<HHOOK>(hook_));
}

}  // namespace testsupport
