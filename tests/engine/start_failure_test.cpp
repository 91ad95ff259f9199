// An engine that can't build its scheduler object: CTest runs this program
// with the task component kept from loading (WINEDLLOVERRIDES), in the
// engine process as well.
#include <gtest/gtest.h>

#include "engine_test_support.h"

namespace enginetest {
namespace {

TEST(EngineStartFailure, EngineThatCannotMakeItsSchedulerEndsWithAFailureCode)
{
    ASSERT_TRUE(EnginesEnd(25000));
    ClearEngineFiles();
    EngineProcess engine(L"-Start");
    ASSERT_TRUE(engine.Started());
    const DWORD code = engine.WaitForExit(25000);
    EXPECT_NE(code, ~0u) << "the engine did not end";
    EXPECT_NE(code, 0u);
    EXPECT_NE(ReadFileText(DiagnosticsLogPath()).find("Unable to create scheduler object."), std::string::npos);
    EXPECT_NE(engine.Output().find("Unable to create scheduler object."), std::string::npos) << engine.Output();
}

}  // namespace
}  // namespace enginetest
