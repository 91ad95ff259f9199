#include "scenario_runner.h"

#include <exception>
#include <string>

#include "case_check.h"
#include "system_calls_recorder.h"

ScenarioRunner::ScenarioRunner(ScenarioContext& context, std::ostream& out) : m_context(context), m_out(out) {}

ScenarioTotals ScenarioRunner::Run(const std::vector<const ScenarioGroup*>& groups)
{
    ScenarioTotals totals;
    for (const ScenarioGroup* group : groups) {
        for (const ScenarioCase& scenarioCase : group->cases) {
            const std::string detail = RunCase(scenarioCase);
            m_out << group->name << '.' << scenarioCase.name << ": ";
            if (detail.empty()) {
                m_out << "PASS";
                ++totals.passed;
            } else {
                m_out << "FAIL " << detail;
                ++totals.failed;
            }
            // Flushed line by line: a host that dies later still shows how far it came.
            m_out << std::endl;
        }
    }
    m_out << totals.passed << " passed, " << totals.failed << " failed" << std::endl;
    return totals;
}

std::string ScenarioRunner::RunCase(const ScenarioCase& scenarioCase)
{
    if (m_context.seams)
        m_context.seams->log.clear();
    CaseCheck check;
    try {
        scenarioCase.run(m_context, check);
    } catch (const std::exception& error) {
        check.That(false, std::string("threw: ") + error.what());
    } catch (...) {
        check.That(false, "threw an exception");
    }
    return check.Passed() ? std::string() : check.Detail();
}
