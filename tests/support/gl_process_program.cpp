// A GL suite of the program: the platform layer prepares its process.
#include "support/gl_process.h"

#include "app/platform.h"
#include "velmkit/velm_font.h"

void prepareGlProcess() {
    velmSetFontFolders(fontFolders());   // where there is no fontconfig: the fonts beside the tests
    keepGlDriverLoaded();
}
