// Test helper: reports how it was started, then sleeps.
//   tvx_sleeper [--ms N] [--report FILE] [anything else]
// The report (default: tvx_sleeper_<process id>.report beside the program)
// holds the current directory, then each argument on a line of its own, then
// the line "END". The helper ends by itself after N ms (default 30000).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

int main(int argc, char** argv)
{
    DWORD milliseconds = 30000;
    std::string report;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--ms") == 0 && i + 1 < argc)
            milliseconds = static_cast<DWORD>(std::strtoul(argv[++i], nullptr, 10));
        else if (std::strcmp(argv[i], "--report") == 0 && i + 1 < argc)
            report = argv[++i];
    }
    if (report.empty()) {
        char path[MAX_PATH] = "";
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string directory = path;
        directory = directory.substr(0, directory.find_last_of('\\') + 1);
        report = directory + "tvx_sleeper_" + std::to_string(GetCurrentProcessId()) + ".report";
    }

    char current[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, current);
    const std::string partial = report + ".part";
    if (FILE* file = std::fopen(partial.c_str(), "wb")) {
        std::fprintf(file, "%s\n", current);
        for (int i = 1; i < argc; ++i)
            std::fprintf(file, "%s\n", argv[i]);
        std::fprintf(file, "END\n");
        std::fclose(file);
        // Appears whole or not at all.
        MoveFileExA(partial.c_str(), report.c_str(), MOVEFILE_REPLACE_EXISTING);
    }
    Sleep(milliseconds);
    return 0;
}
