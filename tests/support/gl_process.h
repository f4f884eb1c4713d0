// What a GL suite's process needs once its window is open: where the fonts
// are where there is no fontconfig, and in leak-checking builds the GL
// driver kept loaded so that the leak checker can name its allocations.
// One definition per kind of suite: the program's (gl_process_program.cpp,
// through the platform layer) and the widget library's alone
// (gl_process_velmkit.cpp).
#pragma once

void prepareGlProcess();
