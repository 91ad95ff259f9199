#include "scenario_table.h"

#include <windows.h>

// One line per group: its name on the command line and the function, in the
// group's own file, that lists its cases. The build makes one CTest entry
// per line from this list too (a name starting "selftest-" is a group that
// checks the host's own failure path and has an entry of its own).
#define WTKHOST_SCENARIO_GROUPS(GROUP)                \
    GROUP("host", HostScenarios)                      \
    GROUP("selftest-fail", SelfTestFailScenarios)

#define WTKHOST_DECLARE_CASES(groupName, casesFunction) std::vector<ScenarioCase> casesFunction();
WTKHOST_SCENARIO_GROUPS(WTKHOST_DECLARE_CASES)
#undef WTKHOST_DECLARE_CASES

const std::vector<ScenarioGroup>& ScenarioGroups()
{
#define WTKHOST_GROUP_ENTRY(groupName, casesFunction) ScenarioGroup{groupName, casesFunction()},
    static const std::vector<ScenarioGroup> groups = {WTKHOST_SCENARIO_GROUPS(WTKHOST_GROUP_ENTRY)};
#undef WTKHOST_GROUP_ENTRY
    return groups;
}

const ScenarioGroup* FindScenarioGroup(const std::string& name)
{
    for (const ScenarioGroup& group : ScenarioGroups()) {
        if (lstrcmpiA(group.name, name.c_str()) == 0)
            return &group;
    }
    return nullptr;
}

std::string ScenarioGroupNames()
{
    std::string names;
    for (const ScenarioGroup& group : ScenarioGroups()) {
        if (!names.empty())
            names += ", ";
        names += group.name;
    }
    return names;
}
