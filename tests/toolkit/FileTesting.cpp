#include "tests/toolkit/FileTesting.h"

#include "toolkit/Component.h"

namespace filetesting {

std::string pattern(size_t n, unsigned seed)
{
    std::string bytes(n, '\0');
    unsigned value = seed;
    for (char& byte : bytes) {
        value = value * 1103515245u + 12345u;
        byte = static_cast<char>(value >> 16);
    }
    return bytes;
}

WIN32_FILE_ATTRIBUTE_DATA attributes(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return data;
}

bool pumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    // One message at a time: draining the queue would run on past the moment
    // the condition came true while completions keep arriving.
    while (!done()) {
        if (GetTickCount() - start > timeoutMs)
            return false;
        MSG message;
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        else
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

bool pumpUntilSignalled(HANDLE event, DWORD timeoutMs)
{
    return pumpUntil([event] { return WaitForSingleObject(event, 0) == WAIT_OBJECT_0; }, timeoutMs);
}

int messageOnlyComponents()
{
    int count = 0;
    for (HWND w = nullptr; (w = FindWindowExA(HWND_MESSAGE, w, Component::className(), nullptr)) != nullptr;)
        count += GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId() ? 1 : 0;
    return count;
}

}
