// ScenarioRunner: runs the cases of scenario groups in order and writes one
// line per case, "group.case: PASS" or "group.case: FAIL detail", and at the
// end "N passed, N failed". The recorded system calls are emptied before
// every case, so a case reads only the calls made while it ran.
#pragma once

#include <ostream>
#include <vector>

#include "scenario.h"

struct ScenarioTotals {
    int passed = 0;
    int failed = 0;
};

class ScenarioRunner {
public:
    ScenarioRunner(ScenarioContext& context, std::ostream& out);

    ScenarioTotals Run(const std::vector<const ScenarioGroup*>& groups);

private:
    // The case's failure detail; empty when it passed.
    std::string RunCase(const ScenarioCase& scenarioCase);

    ScenarioContext& m_context;
    std::ostream& m_out;
};
