// The main of every test program: GoogleTest's own, except that a run in which a test
// skipped and none failed exits with TREV_SKIPPED_EXIT_CODE, which CTest reports as
// skipped. A program that is one CTest entry would otherwise show its skip as a pass.
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
    if (status == 0 && ::testing::UnitTest::GetInstance()->skipped_test_count() > 0) return TREV_SKIPPED_EXIT_CODE;
    return status;
}
