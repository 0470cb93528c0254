// The console uninstaller run as a process of its own on a scratch machine: its
// exit codes, output and log, against the procedure run in this process.
#include "app/RemovalMutex.h"
#include "app/UninstallReporter.h"
#include "console/ConsoleStream.h"
#include "console/DeletingActions.h"
#include "console/LogFile.h"
#include "console/ProgressLine.h"
#include "console/RemovalJournal.h"
#include "tests/app/UninstallTesting.h"
#include "tests/console/ConsoleTesting.h"
#include "tests/console/JsonValue.h"
#include "tests/support/FileLock.h"
#include "tests/support/RunningProgram.h"
#include "tests/support/Sandbox.h"
#include "tests/support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <new>

using namespace consoletesting;
using namespace uninstalltesting;

namespace {

const KeepOptions keepNothing{false, false, false};
const std::string removeAll = " --remove-data --remove-shared --remove-plugins";

std::string options(KeepOptions keep)
{
    return std::string(keep.data ? "" : " --remove-data") + (keep.shared ? "" : " --remove-shared") +
           (keep.plugins ? "" : " --remove-plugins");
}

// The log's lines, each with its time stamp ("YYYY-MM-DD hh:mm:ss.mmm ").
std::vector<std::string> logLines(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return lines(std::string(std::istreambuf_iterator<char>(file), {}));
}

// The log's lines without the time stamps.
std::vector<std::string> logEntries(const std::string& path)
{
    std::vector<std::string> entries;
    for (const std::string& line : logLines(path))
        entries.push_back(line.substr(24));
    return entries;
}

bool contains(const std::vector<std::string>& list, const std::string& entry)
{
    return std::count(list.begin(), list.end(), entry) == 1;
}

// "error N: text" as the programs give a system error.
std::string errorLine(DWORD error)
{
    char text[512] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text, sizeof text,
                   nullptr);
    std::string line = "error " + std::to_string(error) + ": " + text;
    return line.erase(line.find_last_not_of("\r\n ") + 1);
}

std::string itemName(const MachineItem& item)
{
    if (item.type == ItemType::key)
        return "HKLM\\" + item.path;
    return item.type == ItemType::folder ? item.path + "\\" : item.path;
}

} // namespace

TEST(ConsoleArguments, BadOnesGive87WithTheUsageOnStandardError)
{
    const ProgramRun help = runProgram("--help");
    EXPECT_EQ(0u, help.exitCode);
    EXPECT_NE(std::string::npos, help.out.find("Exit codes:"));
    EXPECT_EQ(help.out, runProgram("/?").out);
    for (const char* arguments : {"", "frobnicate", "remove", "remove T520 --bogus", "remove T520 --log", "list extra",
                                  "remove T520 T530", "remove T520 --log a --log b",
                                  "remove T520 --dry-run --DRY-RUN", "restore", "restore a b", "remove T520 --force",
                                  "scan T520", "scan --all-users", "clean T520 --install-folder",
                                  "remove T520 --backup", "remove T520 --install-folder C:\\x"}) {
        const ProgramRun run = runProgram(arguments);
        EXPECT_EQ(87u, run.exitCode) << arguments;
        EXPECT_EQ("", run.out) << arguments;
        EXPECT_NE(std::string::npos, run.err.find(help.out)) << arguments;
    }
}

// A script reads one document from standard output instead: the products with
// their folders, or why there is none.
TEST(ConsoleList, NoneOneOrThreeProductsInCatalogueOrderWithTheirFoldersAsLinesOrOneDocument)
{
    T5_REQUIRE_SANDBOX();
    TestMachine machine;
    const ProgramRun none = runProgram("list");
    EXPECT_EQ(0u, none.exitCode);
    EXPECT_EQ("", none.out);
    const std::string t540 = machine.fixture.install("T540");
    EXPECT_EQ(std::vector<std::string>{"T540\tVantorix T540\t" + t540 + "\\"}, lines(runProgram("list").out));
    const std::string t530 = machine.fixture.install("T530", machine.path("\xC9t\xE9\\T530"));
    machine.fixture.install("T520");
    setValue(uninstallKey("Vantorix T520"), "DisplayIcon", "VXT520.exe");
    const ProgramRun three = runProgram("list");
    EXPECT_EQ(0u, three.exitCode);
    EXPECT_EQ((std::vector<std::string>{"T520\tVantorix T520\t(no installation folder: \"DisplayIcon\" names none: "
                                        "VXT520.exe)",
                                        "T530\tVantorix T530 Application\t" + t530 + "\\",
                                        "T540\tVantorix T540\t" + t540 + "\\"}),
              lines(three.out));
    const ProgramRun listed = runProgram("list --json");
    JsonValue list;
    ASSERT_TRUE(parseJson(listed.out, list)) << listed.out;
    ASSERT_EQ(3u, list["products"].elements.size());
    const JsonValue& t520 = list["products"].elements[0];
    EXPECT_EQ("T520", t520["code"].text);
    EXPECT_EQ("Vantorix T520", t520["name"].text);
    EXPECT_EQ(JsonValue::Type::null, t520["folder"].type);
    EXPECT_EQ("\"DisplayIcon\" names none: VXT520.exe", t520["reason"].text);
    EXPECT_EQ(t530 + "\\", list["products"].elements[1]["folder"].text);
}

TEST(ConsoleRemove, EachKeepCombinationLeavesWhatItKeeps)
{
    T5_REQUIRE_SANDBOX();
    for (int mask = 0; mask < 8; ++mask) {
        SCOPED_TRACE(mask);
        const KeepOptions keep{(mask & 1) != 0, (mask & 2) != 0, (mask & 4) != 0};
        TestMachine machine;
        machine.fixture.install("T530MCH");
        const ProgramRun run = runProgram("remove t530mch" + options(keep));
        EXPECT_EQ(0u, run.exitCode) << run.out;
        EXPECT_TRUE(leftAsExpected(machine.fixture, 3, keep));
        EXPECT_EQ("Uninstallation completed !", lines(run.out).at(lines(run.out).size() - 2));
        EXPECT_EQ("", run.err);
    }
}

// The values as Windows itself writes them: "DisplayIcon" and "SearchPath" as
// REG_EXPAND_SZ, and a quoted "DisplayIcon" with blanks around its index. The
// window reads them through the same engine.
TEST(ConsoleRemove, ExpandableAndBlankQuotedValuesRemoveTheProduct)
{
    T5_REQUIRE_SANDBOX();
    for (int form = 0; form < 2; ++form) {
        SCOPED_TRACE(form);
        TestMachine machine;
        const std::string folder = machine.fixture.install("T520");
        SetEnvironmentVariableA("T5_TEST_SCRATCH", machine.scratch.path().c_str());
        if (form == 0) {
            const std::string icon = "%T5_TEST_SCRATCH%\\Products\\T520\\VXT520.exe";
            const std::string plugins = "%T5_TEST_SCRATCH%\\Plugins";
            RegSetKeyValueA(HKEY_LOCAL_MACHINE, uninstallKey("Vantorix T520").c_str(), "DisplayIcon", REG_EXPAND_SZ,
                            icon.c_str(), DWORD(icon.size() + 1));
            RegSetKeyValueA(HKEY_LOCAL_MACHINE, "Software\\PLX", "SearchPath", REG_EXPAND_SZ, plugins.c_str(),
                            DWORD(plugins.size() + 1));
        } else {
            setValue(uninstallKey("Vantorix T520"), "DisplayIcon", "\"" + folder + "\\VXT520.exe\" , 0");
        }
        EXPECT_EQ(0u, runProgram("remove T520" + removeAll).exitCode);
        EXPECT_TRUE(leftAsExpected(machine.fixture, 1, keepNothing));
    }
    SetEnvironmentVariableA("T5_TEST_SCRATCH", nullptr);
}

// Run as LocalSystem, the program must not append to whatever a log path can be
// made to lead to: a log that cannot be trusted, or opened at all, stops the run
// before anything changes. A product without a usable folder gives 1603, says why
// and stays listed, so that a retry finds it again rather than reading "not
// installed" as "removed".
TEST(ConsoleRemove, BadArgumentsUnknownProductUntrustedLogASecondRunOrNoFolderEachChangeNothing)
{
    T5_REQUIRE_SANDBOX();
    TestMachine machine;
    const std::string icon = machine.fixture.install("T520") + "\\VXT520.exe";
    EXPECT_EQ(87u, runProgram("remove T520" + removeAll + " --log --dry-run").exitCode);
    const ProgramRun notInstalled = runProgram("remove t530");
    EXPECT_EQ(1605u, notInstalled.exitCode);
    EXPECT_NE("", notInstalled.err);
    const std::string other = machine.path("other.txt");
    ASSERT_TRUE(machine.scratch.writeFile("other.txt", "keep"));
    ASSERT_TRUE(CreateHardLinkA(machine.path("linked.log").c_str(), other.c_str(), nullptr));
    std::vector<std::string> logs{machine.path("Missing\\removal.log"), machine.path("linked.log"),
                                  machine.path(std::string(MAX_PATH, 'l') + ".log")};
    const char* links = std::getenv("T5_TEST_LINK_DIR");
    if (links)
        logs.push_back(std::string(links) + "\\tree\\link\\removal.log");
    for (const std::string& log : logs)
        EXPECT_EQ(1622u, runProgram("remove T520 --log \"" + log + "\"").exitCode) << log;
    {
        RemovalMutex otherRun;
        ASSERT_TRUE(otherRun.isHeld());
        EXPECT_EQ(1618u, runProgram("remove T520" + removeAll).exitCode);
    }
    const std::string entry = uninstallKey("Vantorix T520");
    RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, entry.c_str(), "DisplayIcon");
    for (const std::string why : {"the uninstall entry has no \"DisplayIcon\" value",
                                  "\"DisplayIcon\" is not a string value"}) {
        const ProgramRun run = runProgram("remove T520" + removeAll);
        EXPECT_EQ(1603u, run.exitCode);
        EXPECT_NE(std::string::npos, run.err.find(why)) << run.err;
        EXPECT_EQ(std::vector<std::string>{"T520\tVantorix T520\t(no installation folder: " + why + ")"},
                  lines(runProgram("list").out));
        RegSetKeyValueA(HKEY_LOCAL_MACHINE, entry.c_str(), "DisplayIcon", REG_BINARY, icon.c_str(),
                        DWORD(icon.size() + 1));
    }
    // An unknown product is refused in a document of its own too.
    const ProgramRun unknown = runProgram("remove T999 --json");
    EXPECT_EQ(1605u, unknown.exitCode);
    EXPECT_EQ(machine.fixture.items().size(), machine.fixture.remaining().size());
    std::ifstream kept(other, std::ios::binary);
    EXPECT_EQ("keep", std::string(std::istreambuf_iterator<char>(kept), {}));
    EXPECT_FALSE(links && exists(std::string(links) + "\\target\\removal.log"));
    JsonValue refusal;
    ASSERT_TRUE(parseJson(unknown.out, refusal)) << unknown.out;
    EXPECT_EQ(double(unknown.exitCode), refusal["exitCode"].number);
    EXPECT_EQ(JsonValue::Type::null, refusal["product"].type);
    EXPECT_EQ(lines(unknown.err).at(0), refusal["summary"].text);
}

// One removal at a time on the machine, whichever program makes it; a dry run
// takes its turn too, so that what it lists is what nobody is changing.
TEST(ConsoleRemove, TheWindowAndTheCompanionNeverRemoveAtOnce)
{
    T5_REQUIRE_SANDBOX();
    using namespace programtesting;
    TestMachine machine;
    machine.fixture.install("T520");
    machine.fixture.install("T540");
    const auto proceed = [](const RunningProgram& window, const char* caption) {
        for (HWND child : children(window.waitForPaintedWindow(caption)))
            if (windowText(child) == "Proceed")
                click(child);
        return window.waitForMessageBox();
    };
    {
        RunningProgram window(buildFile("VxUninstall.exe"), "T520");
        HWND completed = proceed(window, "T520 uninstall");
        EXPECT_EQ("Uninstallation completed !", messageBoxText(completed));
        EXPECT_EQ(1618u, runProgram("remove T540").exitCode);
        EXPECT_EQ(1618u, runProgram("remove T540 --dry-run").exitCode);
        answerOk(completed);
        EXPECT_EQ(0u, window.waitForExit());
    }
    EXPECT_TRUE(leftAsExpected(machine.fixture, 1, KeepOptions{}));
    StalledRun dryRun("remove T540 --dry-run");
    ASSERT_TRUE(dryRun.waitUntilStalled());
    RunningProgram window(buildFile("VxUninstall.exe"), "T540");
    HWND refused = proceed(window, "T540 uninstall");
    EXPECT_EQ("Another removal is running. Try again when it has finished.", messageBoxText(refused));
    answerOk(refused);
    EXPECT_EQ(STILL_ACTIVE, window.waitForExit(500));
    EXPECT_EQ(0u, dryRun.release());
    EXPECT_TRUE(leftAsExpected(machine.fixture, 1, KeepOptions{}));
}

// What the dry run lists, the removal then deletes, logs and tells in the one
// document a script reads from standard output: every item with its kind and
// outcome, the exit code and whether a restart is needed.
TEST(ConsoleDryRun, ChangesNothingAndListsInOrderWhatTheRemovalThenDeletesLogsAndTells)
{
    T5_REQUIRE_SANDBOX();
    TestMachine machine;
    const std::string folder = machine.fixture.install("T530MCH", machine.path("\xC9t\xE9\\T530"));
    machine.fixture.install("T520");
    machine.fixture.addFile(folder + "\\Sub\\Notes.txt");
    const std::vector<std::string> pending = pendingDeletions();
    const ProgramRun kept = runProgram("remove T530MCH --dry-run");
    const ProgramRun dry = runProgram("remove T530MCH --dry-run" + removeAll);
    EXPECT_EQ(0u, dry.exitCode);
    EXPECT_EQ(machine.fixture.items().size(), machine.fixture.remaining().size());
    EXPECT_EQ(pending, pendingDeletions());

    const std::string log = machine.path("removal.log");
    const ProgramRun run = runProgram("remove T530MCH --json" + removeAll + " --log \"" + log + "\"");
    EXPECT_EQ(0u, run.exitCode);
    std::vector<std::string> deleted;
    for (const std::string& entry : logEntries(log))
        if (entry.compare(0, 9, "deleted: ") == 0)
            deleted.push_back(entry.substr(9));
    EXPECT_EQ(linesAfter(dry.out, "would delete: "), deleted);
    JsonValue removal;
    ASSERT_TRUE(parseJson(run.out, removal)) << run.out;
    EXPECT_EQ(double(run.exitCode), removal["exitCode"].number);
    EXPECT_EQ("Vantorix T530 Multichannel", removal["product"].text);
    EXPECT_EQ(JsonValue::Type::boolean, removal["restartNeeded"].type);
    std::map<std::string, std::string> told;
    for (const JsonValue& item : removal["items"].elements)
        if (item["outcome"].text == "deleted")
            told[item["path"].text] = item["kind"].text;
    const std::vector<std::string> keptItems = linesAfter(kept.out, "kept by option: ");
    const char* kinds[] = {"file", "folder", "key"};
    for (const MachineItem& item : machine.fixture.items()) {
        const bool gone = !machine.fixture.exists(item);
        EXPECT_EQ(gone, contains(deleted, itemName(item))) << item.path;
        // Not told as deleted (an empty kind) unless gone.
        EXPECT_EQ(gone ? kinds[int(item.type)] : "", told[itemName(item)]) << item.path;
        if (item.kind == ItemKind::dataFile && item.productId == 3) {
            EXPECT_TRUE(contains(keptItems, item.path)) << item.path;
        }
    }
}

// The system folder named by "DisplayIcon" is refused exactly as in the graphical
// run: its data files stay, and so does it. Whatever stays gives 1603, and the
// output and the log say what and why.
TEST(ConsoleLog, EachOutcomeEvenARefusedSystemFolderHasATimestampedLineRunsAreAppendedAndAFailedWriteIs1603)
{
    T5_REQUIRE_SANDBOX();
    TestMachine machine;
    const std::string log = machine.path("removal.log");
    const std::string mch = machine.fixture.install("T530MCH");
    const std::string system = machine.fixture.systemFolder();
    machine.fixture.addFile(system + "T5Probe.DAT");
    machine.fixture.addFile(system + "T5Probe.cfg");
    setValue(uninstallKey("Vantorix T530 Multichannel"), "DisplayIcon", system + "shell32.dll,3");
    const ProgramRun run = runProgram("remove T530MCH" + removeAll + " --log \"" + log + "\"");
    EXPECT_EQ(1603u, run.exitCode) << run.out;
    // Something stayed: the product stays listed.
    EXPECT_TRUE(leftAsExpected(machine.fixture, 3, keepNothing, [&](const MachineItem& item) {
        return item.kind == ItemKind::uninstallEntry || item.path.rfind(mch, 0) == 0;
    }));
    EXPECT_EQ((std::vector<std::string>{system + " (memory and data files)", system + " (installation folder)"}),
              linesAfter(run.out, "refused as protected: "));
    EXPECT_NE(std::string::npos, run.out.find("Unable to delete the directory \r\n" + system + "\r\n"));

    const std::string folder = machine.fixture.install("T520");
    const std::string locked = folder + "\\VXT520.exe";
    // DeleteFileA refuses a read-only file with ERROR_ACCESS_DENIED.
    const std::string readOnly = folder + "\\T5app.exe";
    const std::string lockedFailed = locked + " (" + errorLine(ERROR_SHARING_VIOLATION) + ")";
    const std::string readOnlyFailed = readOnly + " (" + errorLine(ERROR_ACCESS_DENIED) + ")";
    DeleteFileA((folder + "\\VXT520.chm").c_str());
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY);
    // Without a plug-in system there is no plug-in path: a line, no failure.
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\PLX");
    ProgramRun failed;
    {
        const testsupport::FileLock lock(locked);
        failed = runProgram("remove T520 --no-restart --log \"" + log + "\"");
    }
    SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(1603u, failed.exitCode);
    EXPECT_EQ((std::vector<std::string>{lockedFailed, readOnlyFailed}), linesAfter(failed.out, "failed: "));
    EXPECT_NE(std::string::npos, failed.out.find("Stayed: " + lockedFailed + "; " + readOnlyFailed + "."));
    EXPECT_EQ(std::vector<std::string>{" the plugins path"}, linesAfter(failed.out, "Unable to obtain"));
    for (const MachineItem& item : machine.fixture.items())
        EXPECT_TRUE(item.kind != ItemKind::uninstallEntry || machine.fixture.exists(item)) << item.path;
    SYSTEMTIME now;
    GetLocalTime(&now);
    char today[32];
    snprintf(today, sizeof today, "%04u-%02u-%02u ", now.wYear, now.wMonth, now.wDay);
    for (const std::string& line : logLines(log))
        EXPECT_EQ(today, line.substr(0, 11));
    const std::vector<std::string> entries = logEntries(log);
    for (const std::string& expected : std::vector<std::string>{
             "remove T520: started", "deleted: " + folder + "\\VXT5.chm", "not present: " + folder + "\\VXT520.chm",
          "failed: " + lockedFailed, "failed: " + readOnlyFailed,
          std::string("kept by option: memory and data files (--remove-data not given)"),
          "remove T520: finished with exit code 1603", "refused as protected: " + system + " (memory and data files)",
          "remove T530MCH: finished with exit code 1603"})
        EXPECT_TRUE(contains(entries, expected)) << expected;
    EXPECT_EQ("remove T530MCH: started", entries.front());
    // A pipe whose reader goes away (or takes no appended data) fails every write,
    // and a log that stops taking lines makes the run a failure.
    const std::string pipe = "\\\\.\\pipe\\t5-log-" + std::to_string(GetCurrentProcessId());
    HANDLE reader = CreateNamedPipeA(pipe.c_str(), PIPE_ACCESS_INBOUND, PIPE_TYPE_BYTE, 1, 1, 1, 0, nullptr);
    const ProgramRun failing = runProgram("remove T520 --log " + pipe, [&] {
        ConnectNamedPipe(reader, nullptr);
        CloseHandle(reader);
    });
    EXPECT_EQ(1603u, failing.exitCode);
    EXPECT_NE(std::string::npos, failing.err.find("Writing to the log file failed")) << failing.err;
}

// Stopped from outside, the run stops between two items (here before the first)
// and leaves a complete log that says so last; 1602. Wine sends a process group
// Ctrl+C but not Ctrl+Break; the program takes both alike. The end of the
// session comes to its hidden window.
TEST(ConsoleStop, AControlEventOrTheSessionsEndStopsBetweenItemsWithACompleteLog)
{
    T5_REQUIRE_SANDBOX();
    for (int way = 0; way < 2; ++way) {
        SCOPED_TRACE(way);
        TestMachine machine;
        machine.fixture.install("T520");
        const std::string log = machine.path("removal.log");
        StalledRun run("remove T520 --log \"" + log + "\"");
        ASSERT_TRUE(run.waitUntilStalled());
        const DWORD id = run.processId();
        if (way == 0) {
            FreeConsole();
            AttachConsole(id);
            SetConsoleCtrlHandler(nullptr, TRUE);
            if (!GenerateConsoleCtrlEvent(CTRL_BREAK_EVENT, id))
                GenerateConsoleCtrlEvent(CTRL_C_EVENT, id);
            FreeConsole();
            SetConsoleCtrlHandler(nullptr, FALSE);
        } else {
            // The window comes a moment after the program starts.
            EXPECT_TRUE(programtesting::waitFor([id] {
                HWND window = nullptr;
                while ((window = FindWindowExA(nullptr, window, "VxUninstallCliSession", nullptr))) {
                    DWORD owner = 0;
                    GetWindowThreadProcessId(window, &owner);
                    if (owner == id)
                        return PostMessageA(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF) != FALSE;
                }
                return false;
            }, 20000));
        }
        EXPECT_TRUE(programtesting::waitFor([&] { return logEntries(log).size() == 2; }, 20000));
        EXPECT_EQ(1602u, run.release());
        const std::vector<std::string> entries = logEntries(log);
        ASSERT_EQ(4u, entries.size());
        EXPECT_EQ("remove T520: started", entries[0]);
        EXPECT_EQ(0u, entries[1].find("stop asked by ")) << entries[1];
        EXPECT_EQ(0u, entries[2].find("Interrupted by ")) << entries[2];
        EXPECT_EQ("remove T520: finished with exit code 1602", entries[3]);
        EXPECT_EQ(machine.fixture.items().size(), machine.fixture.remaining().size());
    }
}

// What the run throws is caught where its journal can still close it: the
// closing line gives the exception's text, and the exit code is 1603.
TEST(ConsoleStop, AnExceptionInTheRunIsLoggedWithItsTextAnd1603)
{
    testsupport::ScratchFolder scratch;
    LogFile log;
    String why;
    ASSERT_TRUE(log.open(scratch.join("run.log").c_str(), why));
    ConsoleStream nowhere(nullptr);
    ProgressLine progress(nowhere);
    RemovalJournal first(nowhere, log, progress, false, nullptr);
    EXPECT_EQ(1603, first.runAndClose([]() -> bool { throw "No memory"; }));
    EXPECT_NE(std::string::npos, logEntries(scratch.join("run.log")).back().find("(No memory)"));
    RemovalJournal second(nowhere, log, progress, false, nullptr);
    EXPECT_EQ(1603, second.runAndClose([]() -> bool { throw std::bad_alloc(); }));
    EXPECT_NE(std::string::npos, logEntries(scratch.join("run.log")).back().find(std::bad_alloc().what()));
}

TEST(ConsoleRestart, ALockedFileIsScheduledBeforeItsFolderAndGoesAtTheRestart)
{
    T5_REQUIRE_SANDBOX();
    TestMachine machine;
    const std::string folder = machine.fixture.install("T520");
    const std::string locked = folder + "\\VXT520.exe";
    const std::string log = machine.path("removal.log");
    ProgramRun run;
    {
        const testsupport::FileLock lock(locked);
        run = runProgram("remove T520" + removeAll + " --log \"" + log + "\"");
    }
    EXPECT_EQ(3010u, run.exitCode) << run.out;
    const std::vector<std::string> scheduled{locked, folder + "\\"};
    EXPECT_EQ(scheduled, linesAfter(run.out, "scheduled for restart: "));
    EXPECT_TRUE(contains(logEntries(log), "scheduled for restart: " + locked));
    // Files first: the system removes a folder at the start only when it is empty by then.
    const std::vector<std::string> pending = pendingDeletions();
    const auto file = std::find(pending.begin(), pending.end(), "\\??\\" + locked);
    const auto holder = std::find(pending.begin(), pending.end(), "\\??\\" + folder);
    EXPECT_TRUE(file < holder && holder != pending.end());
    EXPECT_TRUE(exists(locked));

    if (!testsupport::isWine())
        GTEST_SKIP() << "restarts only a Wine prefix";
    ASSERT_TRUE(testsupport::restartWinePrefix());
    EXPECT_TRUE(leftAsExpected(machine.fixture, 1, keepNothing));
}

// A link that cannot be deleted (under Wine, while what it leads to is held open)
// is scheduled under its own name: what it leads to is not the run's.
TEST(ConsoleRestart, ALinkIsScheduledUnderItsOwnNameNotWhatItLeadsTo)
{
    T5_REQUIRE_SANDBOX();
    const char* links = std::getenv("T5_TEST_LINK_DIR");
    if (links == nullptr)
        GTEST_SKIP() << "needs the link made by the test command";
    const std::string link = std::string(links) + "\\file-link", target = std::string(links) + "\\target\\a.txt";
    const char* session = "System\\CurrentControlSet\\Control\\Session Manager";
    std::vector<char> saved(65536);
    DWORD size = static_cast<DWORD>(saved.size());
    const bool had = RegGetValueA(HKEY_LOCAL_MACHINE, session, "PendingFileRenameOperations", RRF_RT_REG_MULTI_SZ,
                                  nullptr, saved.data(), &size) == ERROR_SUCCESS;
    struct Silent : UninstallReporter {
        void message(RunMessage, const String&) override {}
    } reporter;
    {
        const testsupport::FileLock lock(target);
        DeletingActions(reporter, true).deleteFile(link.c_str());
    }
    const std::vector<std::string> pending = pendingDeletions();
    if (had)
        RegSetKeyValueA(HKEY_LOCAL_MACHINE, session, "PendingFileRenameOperations", REG_MULTI_SZ, saved.data(), size);
    else
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, session, "PendingFileRenameOperations");
    EXPECT_EQ(0, std::count(pending.begin(), pending.end(), "\\??\\" + target));
    EXPECT_EQ(1, std::count(pending.begin(), pending.end(), "\\??\\" + link));
}
