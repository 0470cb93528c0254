// Answers the real message boxes that code under test shows, recording each one.
#pragma once

#include <string>
#include <vector>

namespace testsupport {

struct CapturedMessageBox {
    std::string caption;
    std::string text;
};

// While an instance lives, every dialog box activated on this thread is read and
// answered with the chosen button (IDOK unless told otherwise). Boxes are real
// MessageBoxA calls; nothing in the code under test is replaced.
class MessageBoxCapture {
public:
    MessageBoxCapture();
    ~MessageBoxCapture();
    MessageBoxCapture(const MessageBoxCapture&) = delete;
    MessageBoxCapture& operator=(const MessageBoxCapture&) = delete;

    const std::vector<CapturedMessageBox>& boxes() const { return boxes_; }
    void setAnswer(int commandId) { answer_ = commandId; }

private:
    friend struct MessageBoxCaptureAccess;
    void* hook_;
    int answer_;
    std::vector<CapturedMessageBox> boxes_;
    // Boxes already read and answered: a box that loses the activation to another
    // program's window and gets it back is still one box.
    std::vector<void*> openBoxes_;
};

}  // namespace testsupport
