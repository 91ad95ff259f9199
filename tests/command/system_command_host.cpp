// A host program for the system command tests: it runs its arguments as one
// queue of command lines and writes the queue's result and last error text
// to a file, so a test can place it in folders of its choosing (the shutdown
// helper is looked for beside the host's executable).
//
//   system_command_host.exe <outcome file> <line> [<line> ...]
#include <cstdio>

#include "command/macro_command.h"

int main(int argc, char** argv)
{
    if (argc < 2)
        return 2;
    CMacroCommand command;
    for (int i = 2; i < argc; ++i)
        command.AddToQue(argv[i]);
    const int result = command.ExecuteQue();

    FILE* out = std::fopen(argv[1], "wb");
    if (out == nullptr)
        return 3;
    std::fprintf(out, "%d\n%s", result, static_cast<const char*>(command.GetLastErrorString()));
    std::fclose(out);
    return 0;
}
