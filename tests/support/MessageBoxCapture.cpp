#include "tests/support/MessageBoxCapture.h"

#include "tests/support/RunningProgram.h"

#include <windows.h>

#include <algorithm>

namespace testsupport {

namespace {

MessageBoxCapture* activeCapture = nullptr;

}  // namespace

struct MessageBoxCaptureAccess {
    static LRESULT CALLBACK hook(int code, WPARAM wParam, LPARAM lParam)
    {
        if (activeCapture != nullptr && (code == HCBT_DESTROYWND || code == HCBT_ACTIVATE)) {
            HWND box = reinterpret_cast<HWND>(wParam);
            std::vector<void*>& open = activeCapture->openBoxes_;
            const auto known = std::find(open.begin(), open.end(), box);
            if (code == HCBT_DESTROYWND && known != open.end()) {
                open.erase(known);
            } else if (code == HCBT_ACTIVATE && known == open.end() && programtesting::className(box) == "#32770") {
                open.push_back(box);
                activeCapture->boxes_.push_back({programtesting::windowText(box), programtesting::messageBoxText(box)});
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
