// The "selftest-fail" group: one case that always fails, so that a test can
// see the host report a failure (its line, its totals and its exit code).
#include <vector>

#include "case_check.h"
#include "scenario.h"

namespace {

void FailsOnPurpose(ScenarioContext&, CaseCheck& check)
{
    check.That(false, "deliberate failure of the host's self-test");
}

}  // namespace

std::vector<ScenarioCase> SelfTestFailScenarios()
{
    return {{"deliberate-failure", FailsOnPurpose}};
}
