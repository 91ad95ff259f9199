// What a scenario group of the test host is made of: named cases, each a
// function that drives the host's windows and reports what it found through
// a CaseCheck. A case passes when it reported no failure.
#pragma once

#include <string>
#include <vector>

class CaseCheck;
class HostApp;
class CMultiDocTemplate;
class HostMdiFrame;
class HostSdiFrame;
class RecordingSystemCalls;

// The frame a group's cases run in; every group of one run needs the same.
enum class HostFrameKind { Sdi, Mdi };

// What a case may reach: the application object, its frame (SDI or MDI,
// with the template that makes the MDI frame's document windows) and the
// recorded system calls (emptied by the runner before every case). The
// frame stays up for the whole run: a case leaves it as it found it and
// destroys the windows it made.
struct ScenarioContext {
    HostApp* app = nullptr;
    HostSdiFrame* sdiFrame = nullptr;
    HostMdiFrame* mdiFrame = nullptr;
    CMultiDocTemplate* mdiTemplate = nullptr;
    RecordingSystemCalls* seams = nullptr;
};

struct ScenarioCase {
    const char* name;
    void (*run)(ScenarioContext& host, CaseCheck& check);
};

// A named set of cases, run in the order given in the frame they need.
struct ScenarioGroup {
    const char* name;
    std::vector<ScenarioCase> cases;
    HostFrameKind frame = HostFrameKind::Sdi;
};
