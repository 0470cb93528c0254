// Fails the test run when the application's GDI cache still holds anything at the end,
// so that the leak report written at process exit stays silent.
#include <gtest/gtest.h>

#include <cstdlib>

#include "toolkit/Application.h"

namespace {

class LeakCheckEnvironment : public testing::Environment {
public:
    void TearDown() override
    {
        // Set only for the child process that leaves objects on purpose to be reported.
        if (std::getenv("T5_EXPECT_GDI_LEAKS") != nullptr)
            return;
        EXPECT_EQ(0, gdiCacheCount(application.penList())) << "pens left in the cache";
        EXPECT_EQ(0, gdiCacheCount(application.dotPenList())) << "dotted pens left in the cache";
        EXPECT_EQ(0, gdiCacheCount(application.brushList())) << "brushes left in the cache";
    }
};

[[maybe_unused]] testing::Environment* const leakCheck =
    testing::AddGlobalTestEnvironment(new LeakCheckEnvironment);

}  // namespace
