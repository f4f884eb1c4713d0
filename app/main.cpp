// Corvane Zone: a teaching animation of a subduction zone.
#include "app/shell.h"

int main(int, char**) {
    Program& program = startUp();
    for (;;)
        runFrame(program);
}
