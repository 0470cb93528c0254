// Copying a 100-character String against copying a std::string of the same text.
#include "bench/Stopwatch.h"
#include "foundation/String.h"

#include <string>

namespace {

const int copies = 1000000;
const int rounds = 9;

double timeStrings(const String& source, unsigned& sink)
{
    Stopwatch watch;
    for (int i = 0; i < copies; ++i) {
        String copy(source);
        sink += unsigned(copy.cStr()[i % 100]);
    }
    return watch.milliseconds();
}

double timeStdStrings(const std::string& source, unsigned& sink)
{
    Stopwatch watch;
    for (int i = 0; i < copies; ++i) {
        std::string copy(source);
        sink += unsigned(copy[size_t(i % 100)]);
    }
    return watch.milliseconds();
}

} // namespace

int main()
{
    String source = String::repeat('v', 100);
    std::string reference(100, 'v');
    unsigned sink = 0;
    const BestTimes best = bestOfRounds(
        rounds, [&] { return timeStdStrings(reference, sink); }, [&] { return timeStrings(source, sink); });
    reportFigure("copy a 100-character String 10^6 times", "std::string", best.ours, best.theirs, 0.3);
    return sink == 0 ? 1 : 0;
}
