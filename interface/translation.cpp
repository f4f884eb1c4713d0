// Looking texts up in a compiled catalog (GNU gettext's .mo), read here on
// every platform.
#include "interface/translation.h"

#include <cstdint>
#include <cstring>
#include <cstdio>
#include <unordered_map>
#include <vector>

#include "velmkit/velm_file.h"

namespace {
std::unordered_map<std::string, std::string>& catalog() {
    static std::unordered_map<std::string, std::string> texts;
    return texts;
}

constexpr uint32_t moMagic = 0x950412de;   // as written by a little-endian msgfmt
constexpr size_t maxCatalogBytes = 16u << 20;   // far beyond any catalog of ours

uint32_t word(const std::vector<char>& bytes, size_t at, bool swapped) {
    uint32_t v = 0;
    std::memcpy(&v, bytes.data() + at, sizeof v);
    return swapped ? __builtin_bswap32(v) : v;
}
}  // namespace

bool useCatalogFile(const std::string& path) {
    std::vector<char> bytes;
    if (FILE* in = velmOpenFile(path, "rb")) {
        char chunk[1 << 14];
        size_t n = 0;
        while ((n = std::fread(chunk, 1, sizeof chunk, in)) > 0 && bytes.size() < maxCatalogBytes)
            bytes.insert(bytes.end(), chunk, chunk + n);
        std::fclose(in);
    }
    return useCatalog(bytes);
}

bool useCatalog(const std::vector<char>& bytes) {
    if (bytes.size() < 28 || bytes.size() >= maxCatalogBytes)
        return false;
    const bool swapped = word(bytes, 0, false) != moMagic;
    if (word(bytes, 0, swapped) != moMagic)
        return false;
    const uint32_t count = word(bytes, 8, swapped), originals = word(bytes, 12, swapped),
                   translations = word(bytes, 16, swapped);
    // A (length, offset) pair per text; every text must lie within the file,
    // and all of them together must not hold more than the file does: a
    // damaged catalog could point many entries at one long text and ask for
    // thousands of times its own size.
    uint64_t copied = 0;
    const auto text = [&](uint32_t table, uint32_t i, std::string& out) {
        const uint64_t entry = static_cast<uint64_t>(table) + 8ull * i;
        if (entry + 8 > bytes.size())
            return false;
        const uint32_t length = word(bytes, entry, swapped), offset = word(bytes, entry + 4, swapped);
        copied += length;
        if (static_cast<uint64_t>(offset) + length > bytes.size() || copied > bytes.size())
            return false;
        out.assign(bytes.data() + offset, length);
        return true;
    };
    std::unordered_map<std::string, std::string> texts;
    for (uint32_t i = 0; i < count; ++i) {
        std::string english, translated;
        if (!text(originals, i, english) || !text(translations, i, translated))
            return false;   // half a catalog would mix two languages
        if (!english.empty())   // the empty key holds the catalog's header
            texts[english] = translated;
    }
    catalog().swap(texts);
    return true;
}

void useNoCatalog() { catalog().clear(); }

const char* tr(const char* english) {
    const auto& texts = catalog();
    const auto found = texts.find(english);
    return found != texts.end() ? found->second.c_str() : english;
}
