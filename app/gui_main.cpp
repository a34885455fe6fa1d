// The window program: the main window and the event loop, nothing else.

#include "ui/window_program.h"

int main(int argc, char** argv) {
    WindowProgram program(argc, argv);
    return program.Run();
}
