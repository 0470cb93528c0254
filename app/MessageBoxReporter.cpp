#include "app/MessageBoxReporter.h"

#include "toolkit/Window.h"

MessageBoxReporter::MessageBoxReporter(Window& owner)
    : owner(owner)
{
}

void MessageBoxReporter::showMessage(const String& text)
{
    owner.messageBox(text, MB_OK);
}

void MessageBoxReporter::runCompleted()
{
    PostMessageA(owner.handle(), WM_CLOSE, 0, 0);
}
