// Where tests may change machine-wide state: only inside the throwaway Wine prefix
// of the test command, or where a developer enables it explicitly.
#pragma once

namespace testsupport {

// True when the process runs under Wine (ntdll exports wine_get_version).
bool isWine();

// True under Wine, or when T5_ALLOW_SYSTEM_CHANGES=1 is set in the environment.
bool systemChangesAllowed();

}  // namespace testsupport

// Skips the current test unless machine-wide changes are allowed here.
#define T5_REQUIRE_SANDBOX()                                                        \
    do {                                                                            \
        if (!::testsupport::systemChangesAllowed())                                 \
            GTEST_SKIP() << "changes machine-wide state; runs only in the sandbox"; \
    } while (0)
