// libFuzzer target: any bytes given to the PNG reader must give either the
// empty Image or a picture whose every pixel byte can be read.
#include <cstddef>
#include <cstdint>

#include "assets/image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Image image = decodePng(data, size);
    if (image.empty())
        return 0;
    // Reading every byte lets the address checker catch a short buffer.
    const uint64_t bytes = image.rowBytes() * image.height;
    unsigned sum = 0;
    for (uint64_t i = 0; i < bytes; ++i)
        sum += image.pixels[i];
    volatile unsigned sink = sum;
    (void)sink;
    return 0;
}
