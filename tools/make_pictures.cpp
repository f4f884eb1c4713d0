// Writes the program's pictures into a folder (work in progress).
int main() { return 0; }
