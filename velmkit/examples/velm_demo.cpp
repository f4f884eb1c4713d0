// velmkit demo window (work in progress).
int main() { return 0; }
