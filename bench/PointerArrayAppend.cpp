// Appending 4 million pointers to a PointerArray against std::vector<void*>::push_back.
#include "bench/Stopwatch.h"
#include "foundation/PointerArray.h"

#include <memory>
#include <vector>

namespace {

const int pointers = 4194304;
const int rounds = 9;

double timePointerArray(size_t& sink)
{
    Stopwatch watch;
    std::unique_ptr<PointerArray> array(new PointerArray(1024, pointers));
    for (int i = 0; i < pointers; ++i)
        array->insert(&sink + i, -1);
    double elapsed = watch.milliseconds();
    sink += size_t(array->count());
    return elapsed;
}

double timeVector(size_t& sink)
{
    Stopwatch watch;
    std::unique_ptr<std::vector<void*>> vector(new std::vector<void*>);
    for (int i = 0; i < pointers; ++i)
        vector->push_back(&sink + i);
    double elapsed = watch.milliseconds();
    sink += vector->size();
    return elapsed;
}

} // namespace

int main()
{
    size_t sink = 0;
    const BestTimes best = bestOfRounds(
        rounds, [&] { return timeVector(sink); }, [&] { return timePointerArray(sink); });
    reportFigure("append 4194304 pointers", "std::vector<void*>::push_back", best.ours, best.theirs, 1.5);
    return sink == 0 ? 1 : 0;
}
