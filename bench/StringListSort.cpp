// Sorting 262144 random 12-character texts in a StringList against std::sort of std::strings.
#include "bench/Stopwatch.h"
#include "foundation/StringList.h"

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

const int texts = 262144;
const int rounds = 9;

std::vector<std::string> randomTexts()
{
    std::mt19937 generator(20261206);
    std::uniform_int_distribution<int> letter('a', 'z');
    std::vector<std::string> result(texts, std::string(12, ' '));
    for (std::string& text : result)
        for (char& ch : text)
            ch = char(letter(generator));
    return result;
}

double timeStringList(const std::vector<std::string>& input)
{
    StringList list;
    for (const std::string& text : input)
        list.add(text.c_str(), -1);
    Stopwatch watch;
    list.sort();
    return watch.milliseconds();
}

double timeStdSort(const std::vector<std::string>& input)
{
    std::vector<std::string> copy(input);
    Stopwatch watch;
    std::sort(copy.begin(), copy.end());
    return watch.milliseconds();
}

} // namespace

int main()
{
    std::vector<std::string> input = randomTexts();
    const BestTimes best = bestOfRounds(
        rounds, [&] { return timeStdSort(input); }, [&] { return timeStringList(input); });
    reportFigure("sort 262144 random 12-character texts", "std::sort of std::vector<std::string>", best.ours, best.theirs,
                 1.3);
    return 0;
}
