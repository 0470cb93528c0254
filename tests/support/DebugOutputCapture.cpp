#include "tests/support/DebugOutputCapture.h"

#include <windows.h>

namespace testsupport {

namespace {

DebugOutputCapture* activeCapture = nullptr;

}  // namespace

struct DebugOutputCaptureAccess {
    static LONG CALLBACK handle(EXCEPTION_POINTERS* info)
    {
        const EXCEPTION_RECORD* record = info->ExceptionRecord;
        if (activeCapture == nullptr || record->ExceptionCode != DBG_PRINTEXCEPTION_C ||
            record->NumberParameters < 2)
            return EXCEPTION_CONTINUE_SEARCH;
        // Parameters: the length including the terminator, then the text.
        const ULONG_PTR length = record->ExceptionInformation[0];
        const char* text = reinterpret_cast<const char*>(record->ExceptionInformation[1]);
        if (text != nullptr && length > 0)
            activeCapture->writes_.emplace_back(text, length - 1);
        return EXCEPTION_CONTINUE_EXECUTION;
    }
};

DebugOutputCapture::DebugOutputCapture()
    : handler_(AddVectoredExceptionHandler(1, &DebugOutputCaptureAccess::handle))
{
    activeCapture = this;
}

DebugOutputCapture::~DebugOutputCapture()
{
    activeCapture = nullptr;
    if (handler_ != nullptr)
        RemoveVectoredExceptionHandler(handler_);
}

std::string DebugOutputCapture::text() const
{
    std::string all;
    for (const std::string& write : writes_)
        all += write;
    return all;
}

}  // namespace testsupport
