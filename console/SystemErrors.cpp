#include "console/SystemErrors.h"

#include <exception>

String errorText(DWORD error)
{
    char* text = nullptr;
    DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n' || text[length - 1] == ' '))
        --length;
    String result = "error " + String::fromInt(error) + (length > 0 ? ": " + String(text, int(length)) : String(""));
    LocalFree(text);
    return result;
}

String exceptionText()
{
    try {
        throw;
    } catch (const char* text) {
        return text ? text : "a message without text";
    } catch (const std::exception& error) {
        return error.what();
    } catch (int code) {
        return "code " + String::fromInt(code);
    } catch (...) {
        return "an exception of an unknown kind";
    }
}
