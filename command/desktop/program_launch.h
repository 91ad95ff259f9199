// Starting programs for RunProgram and RunDOSCommand: the window-state words,
// the kinds of names a script may give, and the two ways of starting a
// program (with or without a stored user's logon).
#pragma once

#include <windows.h>

#include "command/desktop/desktop_context.h"
#include "platform/framework/string.h"

namespace desktop {

// The show mode of a window-state word: "Normal" or empty show (5),
// "Maximized" (3), "Minimized" (6), "Hidden" (0); words compare exactly. Any
// other word shows the window as "Normal" does.
int ShowModeFromWord(const CString& word);

// One leading and one trailing double quote or apostrophe removed, then the
// blanks around the rest.
CString StripQuotes(const CString& text);
// Trimmed, one pair of double quotes removed, trimmed again, and wrapped in
// double quotes when it holds a blank.
CString QuoteIfBlank(const CString& text);

// A shortcut (".lnk") or an "http:" or "ftp:" address, opened by the shell.
bool IsShellTarget(const CString& name);
// A file that is opened with the program registered for its extension
// rather than run: its extension is none of "", ".", ".exe", ".bat" and
// ".com". A program followed by arguments (quoted, or whose name ends in
// ".exe", ".bat" or ".com" before a blank) is a command line, not a document.
bool IsDocument(const CString& name);

// The command line RunProgram runs for a program or document: a program (with
// any arguments) as the user wrote it; a document after the program the shell
// registers for it, each quoted when it holds a blank; a document without a
// registered program as written. A relative document is looked up in the
// working directory when one is given.
CString ProgramCommandLine(const CString& programOrDocument, const CString& workingDirectory);

// Starts a program without a logon: a shell target through the shell, else a
// new process on "Winsta0\Default" (interactive) or on a desktop
// "RunPrgDesktop" of its own, in the working directory when one is given.
// The new process goes to `started` (a shell target gives none). 1 on
// success, 0 on failure.
int LaunchProgram(const CString& commandLine, const CString& workingDirectory, OwnedKernelHandle& started,
                  int showMode, BOOL interactive);

// The wait flag's wait: returns once the program has ended, dispatching
// messages meanwhile. While it waits the program is the one the slot shows,
// so that the run's time limit can end it; afterwards the slot shows what it
// showed before.
void WaitForStartedProgram(ProcessSlot& slot, OwnedKernelHandle process);

// Starts a program as the user of a queue run's logon (context.logonToken),
// with the run's creation flags and environment, on "Winsta0\Default" or the
// run desktop. Without the wait flag the process handle is kept in
// context.process; with it that is emptied and the program waited for. 1 on success; 0 with "Unable to run command line ..." in the
// last error text.
int LaunchProgramAsUser(DesktopContext& context, const CString& commandLine, const CString& workingDirectory,
                        int showMode, bool wait);

// True when the text is empty or names an existing directory.
bool IsUsableWorkingDirectory(const CString& workingDirectory);

}  // namespace desktop
