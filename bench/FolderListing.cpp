// listFolder of a folder of 20,000 files against a FindFirstFileA/FindNextFileA
// loop that only counts.
#include "bench/Stopwatch.h"
#include "foundation/FileSystem.h"
#include "foundation/StringList.h"

#include <cstdio>
#include <string>

namespace {

const int fileCount = 20000;
const int rounds = 10;

int countEntries(const std::string& folder)
{
    WIN32_FIND_DATAA record;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &record);
    int count = 0;
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    do
        count += record.cFileName[0] != '.';
    while (FindNextFileA(search, &record));
    FindClose(search);
    return count;
}

int listedEntries(const std::string& folder)
{
    StringList folders;
    StringList files;
    listFolder(folder.c_str(), folders, files);
    return folders.count() + files.count();
}

// Kept between runs: Wine reads the whole folder for every new name, so making
// 20,000 files in one folder takes minutes the first time.
std::string prepareFolder()
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "t5bench-20000-files";
    CreateDirectoryA(folder.c_str(), nullptr);
    for (int i = countEntries(folder); i < fileCount; ++i) {
        std::string path = folder + "\\file" + std::to_string(i) + ".dat";
        CloseHandle(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    }
    return folder;
}

} // namespace

int main()
{
    Stopwatch setup;
    std::string folder = prepareFolder();
    std::printf("folder of %d files ready in %.1f s\n", countEntries(folder), setup.milliseconds() / 1000);
    double ours = 0;
    double theirs = 0;
    int listed = 0;
    int counted = 0;
    for (int round = 0; round < rounds; ++round) {
        Stopwatch watch;
        counted = countEntries(folder);
        theirs += watch.milliseconds();
        watch.restart();
        listed = listedEntries(folder);
        ours += watch.milliseconds();
    }
    std::printf("listFolder found %d entries, the counting loop %d (%d rounds each)\n", listed, counted, rounds);
    reportFigure("listFolder, 20,000 files", "FindFirstFileA/FindNextFileA count", ours / rounds, theirs / rounds, 1.3);
    return listed == counted && listed == fileCount ? 0 : 1;
}
