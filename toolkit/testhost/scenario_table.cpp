#include "scenario_table.h"

#include <windows.h>

// One line per group: its name on the command line, the function, in the
// group's own file, that lists its cases, and the frame they run in. The build makes one CTest entry
// per line from this list too (a name starting "selftest-" is a group that
// checks the host's own failure path and has an entry of its own).
#define WTKHOST_SCENARIO_GROUPS(GROUP)                \
    GROUP("host", HostScenarios, Sdi)                 \
    GROUP("mdi", MdiScenarios, Mdi)                   \
    GROUP("selftest-fail", SelfTestFailScenarios, Sdi)

#define WTKHOST_DECLARE_CASES(groupName, casesFunction, frameKind) std::vector<ScenarioCase> casesFunction();
WTKHOST_SCENARIO_GROUPS(WTKHOST_DECLARE_CASES)
#undef WTKHOST_DECLARE_CASES

const std::vector<ScenarioGroup>& ScenarioGroups()
{
#define WTKHOST_GROUP_ENTRY(groupName, casesFunction, frameKind) \
    ScenarioGroup{groupName, casesFunction(), HostFrameKind::frameKind},
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
