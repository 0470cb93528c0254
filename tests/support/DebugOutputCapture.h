// Collects what the process writes with OutputDebugStringA while an instance lives.
#pragma once

#include <string>
#include <vector>

namespace testsupport {

// OutputDebugStringA raises DBG_PRINTEXCEPTION_C; a vectored handler sees it
// before any debugger would. One capture at a time, on the thread under test.
class DebugOutputCapture {
public:
    DebugOutputCapture();
    ~DebugOutputCapture();
    DebugOutputCapture(const DebugOutputCapture&) = delete;
    DebugOutputCapture& operator=(const DebugOutputCapture&) = delete;

    // Each string as it was written (a written "a\n" is one entry "a\n").
    const std::vector<std::string>& writes() const { return writes_; }
    // Everything written, joined.
    std::string text() const;

private:
    friend struct DebugOutputCaptureAccess;
    void* handler_;
    std::vector<std::string> writes_;
};

}  // namespace testsupport
