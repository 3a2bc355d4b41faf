#include "default_instances.h"
#include "form1.h"
#include "running_program.h"

int main(int argc, char *argv[]) {
    glyphmill::RunningProgram program(argc, argv);
    return program.run([] { glyphmill::defaultInstance<glyphmill::Form1>().Show(); });
}
