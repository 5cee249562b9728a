#include "app/run_program.h"
#include "platform/toolkit.h"

// The program takes no command line: only its name reaches the toolkit.
int main(int, char** argv) {
    receipt::platform::SetProgramName(argv[0]);
    const int code = receipt::RunProgram();
    receipt::platform::EndProgram();
    return code;
}
