// A GL suite of the widget library alone, which knows nothing of the
// program: the fonts beside the tests where there is no fontconfig, and in
// leak-checking builds (Linux) Mesa's driver kept loaded.
#include "support/gl_process.h"

#include "velmkit/velm_font.h"

#ifdef CORVANE_SANITIZE
#include <dlfcn.h>
#include <link.h>

#include <cstring>
#endif

void prepareGlProcess() {
    velmSetFontFolders({"."});
#ifdef CORVANE_SANITIZE
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void*) {
            if (info->dlpi_name != nullptr && std::strstr(info->dlpi_name, "_dri.so") != nullptr)
                dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
            return 0;
        },
        nullptr);
#endif
}
