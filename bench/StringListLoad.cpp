// Loading a 50 MB file of short lines into a StringList against std::ifstream and
// std::getline into a std::vector<std::string>.
#include "bench/Stopwatch.h"
#include "foundation/StringList.h"

#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

const size_t fileBytes = 50u * 1024 * 1024;
const int rounds = 5;
// The file holds about three million lines: far more than the 262144 of the lists
// of the uninstaller, so this list is given room for all of them.
const int listMaximum = 8388608;

std::string writeTestFile(size_t& lines)
{
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    std::string path = std::string(folder) + "t5bench-lines-" + std::to_string(GetCurrentProcessId()) + ".txt";
    std::mt19937 generator(50);
    std::uniform_int_distribution<int> length(4, 28);
    std::uniform_int_distribution<int> letter('a', 'z');
    std::string content;
    content.reserve(fileBytes + 64);
    lines = 0;
    while (content.size() < fileBytes) {
        for (int n = length(generator); n > 0; --n)
            content += char(letter(generator));
        content += "\r\n";
        ++lines;
    }
    std::ofstream(path, std::ios::binary).write(content.data(), std::streamsize(content.size()));
    return path;
}

double timeStringList(const std::string& path, size_t& count)
{
    Stopwatch watch;
    StringList* list = new StringList(1024, listMaximum);
    list->load(path.c_str());
    double elapsed = watch.milliseconds();
    count = size_t(list->count());
    delete list;
    return elapsed;
}

double timeGetline(const std::string& path, size_t& count)
{
    Stopwatch watch;
    std::vector<std::string>* lines = new std::vector<std::string>;
    std::ifstream file(path);
    std::string line;
    while (std::getline(file, line))
        lines->push_back(line);
    double elapsed = watch.milliseconds();
    count = lines->size();
    delete lines;
    return elapsed;
}

} // namespace

int main()
{
    size_t lines = 0;
    std::string path = writeTestFile(lines);
    size_t ourCount = 0;
    size_t theirCount = 0;
    const BestTimes best = bestOfRounds(
        rounds, [&] { return timeGetline(path, theirCount); }, [&] { return timeStringList(path, ourCount); });
    DeleteFileA(path.c_str());
    std::printf("file of %zu lines; StringList read %zu, getline read %zu\n", lines, ourCount, theirCount);
    reportFigure("load a 50 MB file of short lines", "std::ifstream + std::getline", best.ours, best.theirs, 1.0);
    return ourCount == lines && theirCount == lines ? 0 : 1;
}
