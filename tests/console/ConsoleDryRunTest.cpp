// The dry run tells what the real run then does: on each machine state below, the
// dry run and then the real run on the same state list the same items with the
// same outcomes and error codes, and answer the same exit code, the one the state
// calls for. The states are those where they once told different stories, and
// those where a hostile machine would have the actions answer otherwise than in
// the real run. A folder refused as protected is decided before any action, the
// same for both (UninstallProtectedFolders).
#include "tests/app/UninstallTesting.h"
#include "tests/console/ConsoleTesting.h"
#include "tests/console/JsonValue.h"
#include "tests/support/FileLock.h"
#include "tests/support/Sandbox.h"

#include <gtest/gtest.h>

#include <sddl.h>

#include <memory>

using namespace consoletesting;
using namespace uninstalltesting;

namespace {

const std::string removeAll = " --remove-data --remove-shared --remove-plugins";
const char serviceKey[] = "SYSTEM\\CurrentControlSet\\Services\\VXT520";

// Whatever a state holds while both runs go (a lock, a current folder, a key's
// access), given back when the state is done with.
using Held = std::vector<std::shared_ptr<void>>;

template <typename Take, typename Give>
void hold(Held& held, Take take, Give give)
{
    take();
    held.push_back(std::shared_ptr<void>(nullptr, [give](void*) { give(); }));
}

void setKeyAccess(const char* path, const char* sddl)
{
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    HKEY key = nullptr;
    ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor, nullptr);
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, WRITE_DAC, &key) == ERROR_SUCCESS) {
        RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor);
        RegCloseKey(key);
    }
    LocalFree(descriptor);
}

struct MachineState {
    const char* name;
    std::string options;
    DWORD exitCode; // that the real run must answer
    std::function<void(TestMachine&, const std::string& folder, Held&)> setUp;
};

std::vector<MachineState> states()
{
    const auto lockProgram = [](TestMachine&, const std::string& folder, Held& held) {
        held.push_back(std::make_shared<testsupport::FileLock>(folder + "\\VXT520.exe"));
    };
    return {
        {"a name the walk does not offer", removeAll, ERROR_INSTALL_FAILURE,
         [](TestMachine& machine, const std::string& folder, Held&) { machine.fixture.addFile(folder + "\\.keep"); }},
        {"a file in use, scheduled", removeAll, ERROR_SUCCESS_REBOOT_REQUIRED, lockProgram},
        {"a file in use, not scheduled", removeAll + " --no-restart", ERROR_INSTALL_FAILURE, lockProgram},
        {"a read-only file", "", ERROR_INSTALL_FAILURE,
         [](TestMachine&, const std::string& folder, Held& held) {
             const std::string file = folder + "\\VXT5.chm";
             hold(held, [&] { SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY); },
                  [file] { SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL); });
         }},
        {"the plug-in path with a trailing backslash", removeAll, ERROR_SUCCESS,
         [](TestMachine& machine, const std::string&, Held&) {
             setValue("Software\\PLX", "SearchPath", machine.fixture.layout().pluginFolder + "\\");
         }},
        {"a service key that may not be opened for full access", "", ERROR_INSTALL_FAILURE,
         [](TestMachine&, const std::string&, Held& held) {
             hold(held, [] { setKeyAccess(serviceKey, "D:P(A;;KR;;;WD)"); },
                  [] { setKeyAccess(serviceKey, "D:(A;;KA;;;WD)"); });
         }},
        {"the installation folder another process's current folder, holding more", removeAll, ERROR_INSTALL_FAILURE,
         [](TestMachine& machine, const std::string& folder, Held& held) {
             machine.fixture.addFile(folder + "\\.keep");
             held.push_back(std::make_shared<CurrentFolder>(folder));
         }},
        {"the brand folder another process's current folder, with another group", "", ERROR_SUCCESS,
         [](TestMachine& machine, const std::string&, Held& held) {
             machine.fixture.install("T540");
             held.push_back(std::make_shared<CurrentFolder>(machine.fixture.programsFolder() + "\\Vantorix"));
         }},
        {"listed names that lead out of their folder", removeAll, ERROR_INSTALL_FAILURE,
         [](TestMachine& machine, const std::string& folder, Held& held) {
             machine.fixture.addFile(machine.path("Products\\Other\\keep.T5M"));
             held.push_back(std::make_shared<WideNames>(std::vector<std::wstring>{
                 widened(folder) + L"\\x\xFF3C..\xFF3C..\xFF3COther\xFF3Ckeep.T5M",
                 widened(machine.fixture.layout().pluginFolder) + L"\\z\x2215..\x2215Products\x2215Other"}));
         }},
        {"a link key below the service key", "", ERROR_SUCCESS,
         [](TestMachine& machine, const std::string&, Held&) {
             const std::string canary = "SYSTEM\\T5DryRunCanary-" + std::to_string(GetCurrentProcessId());
             machine.fixture.addKey(canary + "\\Kept");
             makeLinkKey(std::string(serviceKey) + "\\Link",
                         L"\\Registry\\Machine\\" + std::wstring(canary.begin(), canary.end()));
         }},
    };
}

// Each item as "outcome kind error path", in the order told.
std::vector<std::string> itemsOf(const JsonValue& document)
{
    std::vector<std::string> items;
    for (const JsonValue& item : document["items"].elements)
        items.push_back(item["outcome"].text + " " + item["kind"].text + " " +
                        std::to_string(long(item["error"].number)) + " " + item["path"].text);
    return items;
}

} // namespace

TEST(ConsoleDryRun, TellsTheItemsOutcomesAndExitCodeOfTheRealRunOnEveryMachineState)
{
    T5_REQUIRE_SANDBOX();
    for (const MachineState& state : states()) {
        SCOPED_TRACE(state.name);
        TestMachine machine;
        const std::string folder = machine.fixture.install("T520");
        Held held;
        state.setUp(machine, folder, held);
        const ProgramRun dry = runProgram("remove T520" + state.options + " --dry-run --json");
        const ProgramRun real = runProgram("remove T520" + state.options + " --json");
        JsonValue told, done;
        ASSERT_TRUE(parseJson(dry.out, told)) << dry.out << dry.err;
        ASSERT_TRUE(parseJson(real.out, done)) << real.out << real.err;
        EXPECT_EQ(state.exitCode, real.exitCode) << real.out;
        EXPECT_EQ(real.exitCode, dry.exitCode);
        EXPECT_EQ(itemsOf(done), itemsOf(told));
        EXPECT_EQ(done["restartNeeded"].boolean, told["restartNeeded"].boolean);
    }
}
