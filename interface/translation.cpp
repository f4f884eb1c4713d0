// Looking texts up: in GNU gettext's catalog, or in a compiled catalog read
// here where libintl is not at hand.
#include "interface/translation.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <unordered_map>
#include <vector>

#ifndef _WIN32
#include <libintl.h>
#endif

namespace {
std::unordered_map<std::string, std::string>& catalog() {
    static std::unordered_map<std::string, std::string> texts;
    return texts;
}

constexpr uint32_t moMagic = 0x950412de;   // as written by a little-endian msgfmt

uint32_t word(const std::vector<char>& bytes, size_t at, bool swapped) {
    uint32_t v = 0;
    std::memcpy(&v, bytes.data() + at, sizeof v);
    return swapped ? __builtin_bswap32(v) : v;
}
}  // namespace

bool useCatalogFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.size() < 28)
        return false;
    const bool swapped = word(bytes, 0, false) != moMagic;
    if (word(bytes, 0, swapped) != moMagic)
        return false;
    const uint32_t count = word(bytes, 8, swapped), originals = word(bytes, 12, swapped),
                   translations = word(bytes, 16, swapped);
    // A (length, offset) pair per text; every text must lie within the file.
    const auto text = [&](uint32_t table, uint32_t i, std::string& out) {
        const uint64_t entry = static_cast<uint64_t>(table) + 8ull * i;
        if (entry + 8 > bytes.size())
            return false;
        const uint32_t length = word(bytes, entry, swapped), offset = word(bytes, entry + 4, swapped);
        if (static_cast<uint64_t>(offset) + length > bytes.size())
            return false;
        out.assign(bytes.data() + offset, length);
        return true;
    };
    auto& texts = catalog();
    texts.clear();
    for (uint32_t i = 0; i < count; ++i) {
        std::string english, translated;
        if (!text(originals, i, english) || !text(translations, i, translated)) {
            texts.clear();   // half a catalog would mix two languages
            return false;
        }
        if (!english.empty())   // the empty key holds the catalog's header
            texts[english] = translated;
    }
    return true;
}

const char* tr(const char* english) {
    const auto& texts = catalog();
    if (!texts.empty()) {
        const auto found = texts.find(english);
        return found != texts.end() ? found->second.c_str() : english;
    }
#ifdef _WIN32
    return english;
#else
    return dgettext(textDomain, english);
#endif
}
