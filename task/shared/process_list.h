#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

// One running process as a process list sees it.
struct ProcessEntry {
    DWORD id = 0;
    // The executable's name in the form the source gives it: a file name
    // (tool help), a full path (process-status library) or an instance name
    // followed by ".exe" (performance data).
    std::string name;
};

// The running processes, read from one source. Callers call Refresh once and
// then walk the entries with GetNext.
class CProcessList {
public:
    virtual ~CProcessList() = default;
    CProcessList(const CProcessList&) = delete;
    CProcessList& operator=(const CProcessList&) = delete;

    // Rebuilds the list from the source and puts the cursor on the first
    // entry. A list that cannot be read holds no entries and gives false.
    bool Refresh();
    // The next entry, nullptr after the last.
    const ProcessEntry* GetNext();

protected:
    CProcessList() = default;
    virtual bool ReadProcesses(std::vector<ProcessEntry>* entries) = 0;

private:
    std::vector<ProcessEntry> m_entries;
    std::size_t m_cursor = 0;
};

// The tool-help snapshot functions of KERNEL32.DLL.
class CToolHelpProcessList : public CProcessList {
protected:
    bool ReadProcesses(std::vector<ProcessEntry>* entries) override;
};

// The process-status library PSAPI.DLL; names are full paths.
class CProcessStatusProcessList : public CProcessList {
protected:
    bool ReadProcesses(std::vector<ProcessEntry>* entries) override;
};

// The "Process" object of the registry's performance data.
class CPerfDataProcessList : public CProcessList {
protected:
    bool ReadProcesses(std::vector<ProcessEntry>* entries) override;
};

// A list of the best kind this system offers: tool help, else the
// process-status library, else performance data. Both libraries are bound at
// run time, so the program also starts where they are missing.
std::unique_ptr<CProcessList> CreateProcessList();

// Whether each library source was found on this system.
bool IsToolHelpAvailable();
bool IsProcessStatusAvailable();

// The file-name part of a process name ("c:\app\x.exe" gives "x.exe"), which
// is how names from the three sources can be compared with each other.
std::string ProcessFileName(const std::string& name);

// The performance-data source in two steps, for data read elsewhere.
//
// From the English counter names (the "Counters" value: index and name as
// zero-terminated pairs) the index text of the object "Process" and the index
// of the counter "ID Process", both names compared without regard to case.
bool FindProcessCounterIndexes(const char* counters, std::size_t size, std::string* processObjectIndex,
                               DWORD* idProcessCounterIndex);
// From a performance data block, one entry per instance of the first object
// type whose "ID Process" counter is not 0, named after the instance with
// ".exe" appended. False for a block that is not performance data, that has
// no such counter, or whose offsets point outside it.
bool ReadProcessesFromPerfData(const BYTE* block, std::size_t size, DWORD idProcessCounterIndex,
                               std::vector<ProcessEntry>* entries);
