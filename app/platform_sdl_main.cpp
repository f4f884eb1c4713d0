// Platform layer, the desktop: the process entry. On Windows SDL's start-up
// module provides the program's WinMain, sends the standard streams to
// files and calls this main, which SDL's header renames; elsewhere it is the
// C library's main.
#include <SDL/SDL.h>

int programMain(int argc, char** argv);

int main(int argc, char** argv) { return programMain(argc, argv); }
