#include "console/ConsoleStream.h"

#include <vector>

namespace {

const size_t gathered = 64 * 1024;

bool isConsoleHandle(HANDLE handle)
{
    DWORD mode = 0;
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode);
}

void writeToConsole(HANDLE handle, const std::string& text)
{
    int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (length <= 0)
        return;
    std::vector<wchar_t> wide(static_cast<size_t>(length));
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    DWORD written = 0;
    WriteConsoleW(handle, wide.data(), static_cast<DWORD>(length), &written, nullptr);
}

void writeBytes(HANDLE handle, const std::string& text)
{
    size_t done = 0;
    while (done < text.size()) {
        DWORD written = 0;
        if (!WriteFile(handle, text.data() + done, static_cast<DWORD>(text.size() - done), &written, nullptr) ||
            written == 0)
            return;
        done += written;
    }
}

} // namespace

ConsoleStream::ConsoleStream(HANDLE handle) : handle(handle), console(isConsoleHandle(handle)) {}

ConsoleStream::~ConsoleStream()
{
    flush();
}

void ConsoleStream::write(const String& text)
{
    pending.append(text.cStr(), static_cast<size_t>(text.length()));
    if (pending.size() >= gathered)
        flush();
}

void ConsoleStream::writeLine(const String& text)
{
    write(text + "\r\n");
    if (console)
        flush();
}

void ConsoleStream::flush()
{
    if (pending.empty())
        return;
    if (console)
        writeToConsole(handle, pending);
    else if (handle != nullptr && handle != INVALID_HANDLE_VALUE)
        writeBytes(handle, pending);
    pending.clear();
}
