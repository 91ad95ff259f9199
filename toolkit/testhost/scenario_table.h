// The scenario groups the host knows, in the order of the table in
// scenario_table.cpp (a group is added there, with one line).
#pragma once

#include <string>
#include <vector>

#include "scenario.h"

const std::vector<ScenarioGroup>& ScenarioGroups();
// The group of that name (compared without regard to case), or null.
const ScenarioGroup* FindScenarioGroup(const std::string& name);
// The groups' names, ", "-separated, for error texts.
std::string ScenarioGroupNames();
