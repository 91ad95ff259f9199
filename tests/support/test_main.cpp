// The main of every test program.
//
// Output goes out unbuffered. A test program that is ended from outside
// (TerminateProcess, a kill by the CTest timeout) keeps in its buffer all it
// has printed when its output is a pipe, and CTest then shows a failure with
// no output at all; written at once, the log shows which case was running.

#include <gtest/gtest.h>

#include <cstdio>

int main(int argc, char** argv)
{
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    std::setvbuf(stderr, nullptr, _IONBF, 0);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
