#include "app/MessageBoxReporter.h"

#include "toolkit/Window.h"

namespace {

// The path goes on a line of its own under the text.
String messageText(RunMessage message, const String& path)
{
    switch (message) {
    case RunMessage::noProductChosen: return "T5 application not chosen";
    case RunMessage::entryMissing: return "Uninstall key not found !";
    case RunMessage::pluginPathUnknown: return "Unable to obtain the plugins path";
    case RunMessage::fileNotDeleted: return "Unable to delete the file \n" + path;
    case RunMessage::folderNotDeleted: return "Unable to delete the directory \n" + path;
    case RunMessage::completed: return "Uninstallation completed !";
    }
    return "";
}

} // namespace

MessageBoxReporter::MessageBoxReporter(Window& owner)
    : owner(owner)
{
}

void MessageBoxReporter::message(RunMessage message, const String& path)
{
    owner.messageBox(messageText(message, path), MB_OK);
    if (message == RunMessage::completed)
        PostMessageA(owner.handle(), WM_CLOSE, 0, 0);
}
