#include "main_window/form1.h"
#include "runtime/forms/default_instances.h"
#include "runtime/forms/running_program.h"

int main(int argc, char *argv[]) {
    glyphmill::RunningProgram program(argc, argv);
    return program.run([] { glyphmill::defaultInstance<glyphmill::Form1>().Show(); });
}
