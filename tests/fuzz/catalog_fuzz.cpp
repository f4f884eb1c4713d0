// libFuzzer target: any bytes given to the catalog reader are read whole or
// refused, within the file's own size; a catalog read answers its texts.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "interface/translation.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<char> bytes(data, data + size);
    if (useCatalog(bytes))
        tr("Highlighted Features");
    useNoCatalog();
    return 0;
}
