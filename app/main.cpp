// Corvane Zone: a teaching animation of a subduction zone.
#include "app/shell.h"

int main(int, char**) {
    startUp();
    for (;;)
        runFrame();
}
