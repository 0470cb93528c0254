#include "tests/app/UninstallTesting.h"

#include "app/MessageBoxReporter.h"
#include "app/ProductCatalogue.h"
#include "app/UninstallEntry.h"
#include "foundation/FileSystem.h"
#include "foundation/RegistryKey.h"
#include "tests/support/MessageBoxCapture.h"
#include "toolkit/Window.h"

namespace uninstalltesting {

namespace {

class RecordingReporter : public MessageBoxReporter {
public:
    RecordingReporter(Window& owner, RunResult& result) : MessageBoxReporter(owner), result(result) {}
    void stepSkipped(UninstallStep step, SkipReason reason) override { result.skipped.emplace_back(step, reason); }

private:
    RunResult& result;
};

// A test run never deletes a folder tree outside the temporary folder, even in a
// broken build: the attempt fails the test instead of wiping the test machine.
class GuardedActions : public UninstallActions {
public:
    bool deleteFolderTree(const String& path) override
    {
        char temp[MAX_PATH] = {};
        const DWORD length = GetTempPathA(MAX_PATH, temp);
        const String full = fullPathName(path);
        if (length > 0 && _strnicmp(full.cStr(), temp, length) == 0)
            return UninstallActions::deleteFolderTree(path);
        ADD_FAILURE() << "the run tried to delete the folder tree " << path.cStr();
        return false;
    }
};

bool inside(const std::string& path, const std::string& folder)
{
    return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 && path[folder.size()] == '\\';
}

bool goesWithProduct(const MachineItem& item, int productId, KeepOptions keep)
{
    const bool own = item.productId == productId;
    switch (item.kind) {
    case ItemKind::dataFile: return own && !keep.data;
    case ItemKind::sharedFile: return own && !keep.shared;
    case ItemKind::pluginSettings: return true; // the sweep takes every product's
    case ItemKind::pluginKey:
    case ItemKind::pluginFolder: return !keep.plugins;
    case ItemKind::installFolder: return own && !keep.data && !keep.shared && !keep.plugins;
    case ItemKind::brandFolder:
    case ItemKind::other: return false;
    default: return own;
    }
}

} // namespace

TestMachine::TestMachine(const std::string& pluginsName)
    : fixture(MachineLayout{scratch.join("Products"), pluginsName.empty() ? std::string() : scratch.join(pluginsName),
                            scratch.join("Programs"), scratch.join("Desktop")})
{
}

bool RunResult::skippedAs(UninstallStep step, SkipReason reason) const
{
    for (const auto& entry : skipped)
        if (entry.first == step && entry.second == reason)
            return true;
    return false;
}

RunResult runUninstall(const MachineFixture& machine, const std::string& modelCode, KeepOptions keep,
                       const char* folder)
{
    RunResult result;
    Window* owner = new Window("owner", WS_POPUP | WS_VISIBLE, 0, 0, 0, 100, 100, nullptr);
    {
        testsupport::MessageBoxCapture capture;
        RecordingReporter reporter(*owner, result);
        GuardedActions actions;
        UninstallRun run(machine.product(modelCode), keep, reporter, &actions);
        if (folder)
            run.useInstallFolder(folder);
        result.completed = run.run();
        for (const testsupport::CapturedMessageBox& box : capture.boxes()) {
            result.messages.push_back(box.text);
            result.captions.push_back(box.caption);
        }
    }
    MSG message;
    result.closePosted = PeekMessageA(&message, owner->handle(), WM_CLOSE, WM_CLOSE, PM_REMOVE) != 0;
    delete owner;
    return result;
}

std::vector<std::string> completedOnly()
{
    return {"Uninstallation completed !"};
}

::testing::AssertionResult leftAsExpected(const MachineFixture& machine, int productId, KeepOptions keep,
                                          const std::function<bool(const MachineItem&)>& stays)
{
    const std::vector<MachineItem>& items = machine.items();
    std::vector<bool> gone;
    for (const MachineItem& item : items)
        gone.push_back(goesWithProduct(item, productId, keep) && !(stays && stays(item)));
    // Whatever lies in a folder or key that goes, goes with it.
    for (size_t i = 0; i < items.size(); ++i)
        for (size_t j = 0; j < items.size(); ++j)
            gone[j] = gone[j] || (gone[i] && inside(items[j].path, items[i].path));
    for (size_t i = 0; i < items.size(); ++i) {
        bool holdsSomething = false;
        for (size_t j = 0; j < items.size(); ++j)
            holdsSomething = holdsSomething || (!gone[j] && inside(items[j].path, items[i].path));
        gone[i] = gone[i] || (items[i].kind == ItemKind::brandFolder && !holdsSomething);
    }
    ::testing::AssertionResult result = ::testing::AssertionSuccess();
    for (size_t i = 0; i < items.size(); ++i)
        if (machine.exists(items[i]) == gone[i]) {
            if (result)
                result = ::testing::AssertionFailure();
            result << (gone[i] ? "\n  still there: " : "\n  gone: ") << items[i].path;
        }
    return result;
}

void setValue(const std::string& keyPath, const char* name, const std::string& value)
{
    RegistryKey key(HKEY_LOCAL_MACHINE);
    key.open(keyPath.c_str(), true);
    key.writeString(name, value.c_str());
}

NativeViewEntry::NativeViewEntry(const std::string& displayName, const std::string& displayIcon)
    : path(uninstallKey(displayName))
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY, nullptr,
                        &key, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, "DisplayIcon", 0, REG_SZ, reinterpret_cast<const BYTE*>(displayIcon.c_str()),
                   static_cast<DWORD>(displayIcon.size() + 1));
    RegCloseKey(key);
}

NativeViewEntry::~NativeViewEntry()
{
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), KEY_WOW64_64KEY, 0);
}

bool keyInView(const std::string& path, REGSAM view)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

bool makeLinkKey(const std::string& path, const std::wstring& target)
{
    HKEY link = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, REG_OPTION_CREATE_LINK, KEY_ALL_ACCESS, nullptr,
                        &link, nullptr) != ERROR_SUCCESS)
        return false;
    const LONG set = RegSetValueExW(link, L"SymbolicLinkValue", 0, REG_LINK, reinterpret_cast<const BYTE*>(target.data()),
                                    static_cast<DWORD>(target.size() * sizeof(wchar_t)));
    RegCloseKey(link);
    return set == ERROR_SUCCESS;
}

WideNames::WideNames(const std::vector<std::wstring>& paths) : paths(paths)
{
    for (const std::wstring& path : paths)
        if (path.back() == L'\\')
            CreateDirectoryW(path.c_str(), nullptr);
        else
            CloseHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
}

WideNames::~WideNames()
{
    for (const std::wstring& path : paths)
        path.back() == L'\\' ? RemoveDirectoryW(path.c_str()) : DeleteFileW(path.c_str());
}

std::wstring widened(const std::string& ascii)
{
    return std::wstring(ascii.begin(), ascii.end());
}

std::string uninstallKey(const std::string& displayName)
{
    return std::string(uninstallKeyPath) + "\\" + displayName;
}

} // namespace uninstalltesting
