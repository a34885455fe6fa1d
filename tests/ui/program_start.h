#pragma once

// The window program's own start, watched from outside: the test program starts itself again as the
// window program with the given arguments, and that copy reports what its window shows and exits
// instead of running the event loop.

#include <string>
#include <vector>

struct ProgramStart {
    // The lists' items as the batches read them.
    std::vector<std::string> list1;
    std::vector<std::string> list2;
    bool mirrored = false;
    std::string style;
    std::string platform;
    // Set when the copy did not report (it crashed or failed).
    std::string failure;
};

// Runs "this program --as-window-program ARGUMENT..." and reads its report.
ProgramStart StartWindowProgram(const std::vector<std::string>& arguments);

// The copy's side: when argv[1] is --as-window-program, builds the window program from the program's
// path and the arguments after the flag, writes its report to standard output and returns true.
bool ReportAsWindowProgram(int argc, char** argv);
