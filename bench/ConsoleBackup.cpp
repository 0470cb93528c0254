// "remove T520 --backup DIR" of the console program, every "Keep" option off, on a
// T520 whose installation folder holds 10,000 data files and a 64 MiB
// application file, against the same removal without a backup after CopyFileA of
// every file it deletes; then "restore DIR" against CopyFileA of the same files
// back. In this process, paired rounds in turned order, judged by the median of
// the rounds' ratios.
#include "bench/QuietConsole.h"
#include "bench/Stopwatch.h"
#include "bench/UninstallMachine.h"
#include "foundation/FileSystem.h"

#include <set>
#include <utility>
#include <vector>

namespace {

const int rounds = 5;
const DWORD applicationFileSize = 64u << 20;

void writeLargeFile(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    std::vector<char> piece(1 << 20);
    for (size_t i = 0; i < piece.size(); ++i)
        piece[i] = static_cast<char>(i * 7);
    DWORD written = 0;
    for (DWORD done = 0; done < applicationFileSize; done += written)
        if (!WriteFile(file, piece.data(), static_cast<DWORD>(piece.size()), &written, nullptr) || written == 0)
            break;
    CloseHandle(file);
}

// Every file the removal deletes: the product's and everything in its folder.
std::vector<std::string> filesToGo(const MachineFixture& machine, const std::string& folder)
{
    std::set<std::string> seen;
    std::vector<std::string> files;
    auto add = [&](const std::string& path) {
        std::string key = path;
        CharUpperBuffA(&key[0], static_cast<DWORD>(key.size()));
        if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES && seen.insert(key).second)
            files.push_back(path);
    };
    for (const MachineItem& item : machine.items())
        if (item.type == ItemType::file)
            add(item.path);
    WIN32_FIND_DATAA record;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &record);
    for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &record))
        if ((record.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            add(folder + "\\" + record.cFileName);
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);
    return files;
}

struct Times {
    double removal = 0;
    double restore = 0;
};

std::string installed(MachineFixture& machine, const std::string& folder)
{
    machine.install("T520", folder);
    writeLargeFile(folder + "\\VXT520.exe");
    return folder;
}

Times timeBackup(int round, bool& ok)
{
    const std::string folder = benchDataFolder("backup", round);
    MachineFixture machine(benchLayout("backup", round));
    installed(machine, folder);
    const std::string backup = temporaryFolder() + "t5bench-backup" + std::to_string(round);
    deleteFolderTree(backup.c_str()); // left by a run that was stopped
    Times times;
    Stopwatch watch;
    ok = runConsoleQuietly({"remove", "T520", "--remove-data", "--remove-shared", "--remove-plugins", "--backup",
                            backup.c_str()}) == 0 && allGone(machine, folder) && ok;
    times.removal = watch.milliseconds();
    watch.restart();
    ok = runConsoleQuietly({"restore", backup.c_str()}) == 0 &&
         machine.remaining().size() == machine.items().size() && ok;
    times.restore = watch.milliseconds();
    deleteFolderTree(backup.c_str());
    return times;
}

Times timeCopies(int round, bool& ok)
{
    const std::string folder = benchDataFolder("copy", round);
    MachineFixture machine(benchLayout("copy", round));
    installed(machine, folder);
    const std::string copies = temporaryFolder() + "t5bench-copies" + std::to_string(round);
    deleteFolderTree(copies.c_str());
    CreateDirectoryA(copies.c_str(), nullptr);
    const std::vector<std::string> files = filesToGo(machine, folder);
    Times times;
    Stopwatch watch;
    for (size_t i = 0; i < files.size(); ++i)
        ok = CopyFileA(files[i].c_str(), (copies + "\\" + std::to_string(i)).c_str(), TRUE) && ok;
    ok = runConsoleQuietly({"remove", "T520", "--remove-data", "--remove-shared", "--remove-plugins"}) == 0 &&
         allGone(machine, folder) && ok;
    times.removal = watch.milliseconds();
    for (const std::string& file : files)
        createFolderPath(file.substr(0, file.rfind('\\')).c_str());
    watch.restart();
    for (size_t i = 0; i < files.size(); ++i)
        ok = CopyFileA((copies + "\\" + std::to_string(i)).c_str(), files[i].c_str(), TRUE) && ok;
    times.restore = watch.milliseconds();
    deleteFolderTree(copies.c_str());
    return times;
}

} // namespace

int main()
{
    if (benchDataFolder("backup", 0).empty())
        return 1;
    bool ok = true;
    PairedRounds removal;
    PairedRounds restore;
    for (int round = 0; round < rounds; ++round) {
        Times ours, theirs;
        if (round % 2 == 0) {
            theirs = timeCopies(round, ok);
            ours = timeBackup(round, ok);
        } else {
            ours = timeBackup(round, ok);
            theirs = timeCopies(round, ok);
        }
        removal.ours.push_back(ours.removal);
        removal.theirs.push_back(theirs.removal);
        restore.ours.push_back(ours.restore);
        restore.theirs.push_back(theirs.restore);
    }
    std::printf("everything removed and restored, exit codes 0: %s (%d paired rounds below)\n", ok ? "yes" : "NO",
                rounds);
    reportPaired("console remove --backup of a T520 with 10,000 data files and a 64 MiB application file",
                 "the removal without backup after CopyFileA of its files", removal, 1.2);
    reportPaired("console restore of that backup", "CopyFileA of the same files back", restore, 1.3);
    return ok ? 0 : 1;
}
