// "remove T520" of the console program, every "Keep" option off, on a T520 whose
// installation folder holds 10,000 data files, against the graphical procedure
// (the same run with its message-box reporter's work counted instead); then the
// same command with --log, written through line by line, against it without.
// Both in this process, so that the figures are the work and not the start of a
// process. Paired rounds: the three runs of a round follow each other, in turned
// order every other round, and each goal is judged by the median of the rounds'
// ratios.
#include "app/UninstallRun.h"
#include "bench/QuietConsole.h"
#include "bench/Stopwatch.h"
#include "bench/UninstallMachine.h"

namespace {

const int rounds = 7;

double timeProcedure(int round, bool& ok)
{
    const std::string folder = benchDataFolder("procedure", round);
    MachineFixture machine(benchLayout("procedure", round));
    machine.install("T520", folder);
    CountingReporter reporter;
    Stopwatch watch;
    UninstallRun(machine.product("T520"), KeepOptions{false, false, false}, reporter).run();
    double elapsed = watch.milliseconds();
    ok = ok && reporter.failures == 0 && allGone(machine, folder);
    return elapsed;
}

double timeConsole(const std::string& side, int round, bool withLog, bool& ok)
{
    const std::string folder = benchDataFolder(side, round);
    MachineFixture machine(benchLayout(side, round));
    machine.install("T520", folder);
    const std::string log = temporaryFolder() + "t5bench-console.log";
    std::vector<String> arguments{"remove", "T520", "--remove-data", "--remove-shared", "--remove-plugins"};
    if (withLog) {
        arguments.push_back("--log");
        arguments.push_back(log.c_str());
    }
    Stopwatch watch;
    int exitCode = runConsoleQuietly(arguments);
    double elapsed = watch.milliseconds();
    ok = ok && exitCode == 0 && allGone(machine, folder);
    DeleteFileA(log.c_str());
    return elapsed;
}

} // namespace

int main()
{
    if (benchDataFolder("console", 0).empty())
        return 1;
    bool ok = true;
    PairedRounds console;
    PairedRounds logged;
    for (int round = 0; round < rounds; ++round) {
        double procedure, plain, withLog;
        if (round % 2 == 0) {
            procedure = timeProcedure(round, ok);
            plain = timeConsole("console", round, false, ok);
            withLog = timeConsole("logged", round, true, ok);
        } else {
            withLog = timeConsole("logged", round, true, ok);
            plain = timeConsole("console", round, false, ok);
            procedure = timeProcedure(round, ok);
        }
        console.theirs.push_back(procedure);
        console.ours.push_back(plain);
        logged.theirs.push_back(plain);
        logged.ours.push_back(withLog);
    }
    std::printf("everything removed, exit code 0: %s (%d paired rounds below)\n", ok ? "yes" : "NO", rounds);
    reportPaired("console remove of a T520 with 10,000 data files", "the graphical procedure", console, 1.05);
    reportPaired("the same with its log written through", "without a log", logged, 1.10);
    return ok ? 0 : 1;
}
