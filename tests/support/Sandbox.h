// Where tests may change machine-wide state: only inside the throwaway Wine prefix
// of the test command, or where a developer enables it explicitly.
#pragma once

namespace testsupport {

// True when the process runs under Wine (ntdll exports wine_get_version).
bool isWine();

// True under Wine, or when T5_ALLOW_SYSTEM_CHANGES=1 is set in the environment.
bool systemChangesAllowed();

// True for a 32-bit process on 64-bit Windows: the i686 run of the suite.
bool isWow64();

// Restarts the machine as far as the removal cares: the deletions scheduled for
// the next start are carried out. Only a Wine prefix can be restarted in a
// test (wineboot -r, started native as the system's own start-up is); false
// elsewhere or when it could not be run.
bool restartWinePrefix();

}  // namespace testsupport

// Skips the current test unless machine-wide changes are allowed here.
#define T5_REQUIRE_SANDBOX()                                                        \
    do {                                                                            \
        if (!::testsupport::systemChangesAllowed())                                 \
            GTEST_SKIP() << "changes machine-wide state; runs only in the sandbox"; \
    } while (0)

// Skips the current test unless the process sees two registry views and a
// redirected system folder, as the shipped 32-bit program does on 64-bit Windows.
#define T5_REQUIRE_WOW64()                                                                      \
    do {                                                                                        \
        if (!::testsupport::isWow64())                                                          \
            GTEST_SKIP() << "only a 32-bit process on 64-bit Windows has two views to tell apart " \
                            "(the i686 run)";                                                   \
    } while (0)
