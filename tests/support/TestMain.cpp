#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Allegro runs threads of its own; a death test re-runs the test binary
    // instead of forking a process that holds them.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
