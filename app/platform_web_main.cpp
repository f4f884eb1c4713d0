// Platform layer, the web: the process entry, which the page runs once the
// program's files are in its memory.
int programMain(int argc, char** argv);

int main(int argc, char** argv) { return programMain(argc, argv); }
