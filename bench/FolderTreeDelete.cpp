// deleteFolderTree of a tree of 20,000 files in 400 folders against the shell's
// "rmdir /s /q" and against deleting the same names directly (the floor of any
// delete through the API), each on an identical fresh tree. The files are empty:
// freeing file data costs the file system the same for every method and, on a
// busy disk, would drown the differences between them.
#include "bench/RunCommand.h"
#include "bench/Stopwatch.h"
#include "foundation/FileSystem.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const int topFolders = 20;
const int subFolders = 19;
const int filesPerFolder = 50;
const int rounds = 3;

struct Tree {
    std::string root;
    std::vector<std::string> folders; // parents before their children
    std::vector<std::string> files;
};

Tree plan(const std::string& root)
{
    Tree tree;
    tree.root = root;
    for (int top = 0; top < topFolders; ++top) {
        std::string parent = root + "\\top" + std::to_string(top);
        tree.folders.push_back(parent);
        for (int sub = 0; sub < subFolders; ++sub)
            tree.folders.push_back(parent + "\\sub" + std::to_string(sub));
    }
    for (const std::string& folder : tree.folders)
        for (int file = 0; file < filesPerFolder; ++file)
            tree.files.push_back(folder + "\\file" + std::to_string(file) + ".dat");
    return tree;
}

bool build(const Tree& tree)
{
    CreateDirectoryA(tree.root.c_str(), nullptr);
    for (const std::string& folder : tree.folders)
        CreateDirectoryA(folder.c_str(), nullptr);
    for (const std::string& path : tree.files) {
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        CloseHandle(file);
    }
    return true;
}

// Each folder's files, then the folder, deepest folders first: the same locality
// as a recursive delete, without any listing.
void deleteByName(const Tree& tree)
{
    for (size_t folder = tree.folders.size(); folder-- > 0;) {
        for (int file = 0; file < filesPerFolder; ++file)
            DeleteFileA(tree.files[folder * filesPerFolder + file].c_str());
        RemoveDirectoryA(tree.folders[folder].c_str());
    }
    RemoveDirectoryA(tree.root.c_str());
}

bool gone(const Tree& tree)
{
    return GetFileAttributesA(tree.root.c_str()) == INVALID_FILE_ATTRIBUTES;
}

// One round: three fresh identical trees, deleted in a rotating order so that no
// method always runs first or last while the machine's load changes.
bool runRound(const std::string& base, int round, std::vector<double> times[3])
{
    Tree trees[3] = {plan(base + "-ours"), plan(base + "-rmdir"), plan(base + "-api")};
    Stopwatch setup;
    for (const Tree& tree : trees)
        if (!build(tree))
            return false;
    std::printf("round %d: three trees of %zu files in %zu folders built in %.1f s\n", round + 1,
                trees[0].files.size(), trees[0].folders.size(), setup.milliseconds() / 1000);
    const char* names[3] = {"deleteFolderTree", "rmdir /s /q", "by name"};
    bool ok = true;
    for (int step = 0; step < 3; ++step) {
        int method = (step + round) % 3;
        Stopwatch watch;
        if (method == 0)
            ok = deleteFolderTree(trees[0].root.c_str()) && ok;
        else if (method == 1)
            ok = runCommand("cmd.exe /c rmdir /s /q \"" + trees[1].root + "\"") == 0 && ok;
        else
            deleteByName(trees[2]);
        double elapsed = watch.milliseconds();
        std::printf("  %s: %.0f ms\n", names[method], elapsed);
        times[method].push_back(elapsed);
    }
    for (const Tree& tree : trees)
        ok = gone(tree) && ok;
    return ok;
}

} // namespace

int main()
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string base = std::string(temp) + "t5bench-tree-" + std::to_string(GetCurrentProcessId());
    std::vector<double> times[3];
    bool ok = true;
    for (int round = 0; round < rounds; ++round)
        ok = runRound(base, round, times) && ok;
    // The median round: the machine's load changes from one round to the next.
    double median[3];
    for (int method = 0; method < 3; ++method) {
        std::sort(times[method].begin(), times[method].end());
        median[method] = times[method][rounds / 2];
    }
    std::printf("every tree deleted completely: %s (median of %d rounds below)\n", ok ? "yes" : "NO", rounds);
    reportFigure("deleteFolderTree, 20,000 files in 400 folders", "cmd /c rmdir /s /q", median[0], median[1], 0.5);
    reportFigure("deleteFolderTree, 20,000 files in 400 folders", "DeleteFileA/RemoveDirectoryA by name", median[0],
                 median[2], 1.5);
    return ok ? 0 : 1;
}
