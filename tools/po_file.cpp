// A small .po reader: msgid and msgstr with their continuation lines.
#include "tools/po_file.h"

#include <fstream>

namespace {
// The text of one quoted .po string, escapes resolved.
std::string unquote(const std::string& line) {
    std::string out;
    const size_t open = line.find('"'), close = line.rfind('"');
    for (size_t i = open + 1; open != std::string::npos && i < close; ++i) {
        if (line[i] != '\\' || i + 1 >= close) {
            out += line[i];
            continue;
        }
        const char escaped = line[++i];
        out += escaped == 'n' ? '\n' : escaped == 't' ? '\t' : escaped;
    }
    return out;
}
}  // namespace

std::map<std::string, std::string> readPoFile(const std::string& path) {
    std::map<std::string, std::string> out;
    std::ifstream in(path);
    // Entries are apart by blank lines; a "#, fuzzy" comment marks one
    // whose translation is not yet checked.
    std::string line, id, text, *current = nullptr;
    bool fuzzy = false;
    const auto finish = [&] {
        if (!id.empty() && !text.empty() && !fuzzy)
            out[id] = text;
        id.clear();
        text.clear();
        fuzzy = false;
        current = nullptr;
    };
    while (std::getline(in, line)) {
        if (line.rfind("#,", 0) == 0 && line.find("fuzzy") != std::string::npos) {
            fuzzy = true;
        } else if (line.rfind("msgid ", 0) == 0) {
            id = unquote(line);
            current = &id;
        } else if (line.rfind("msgstr ", 0) == 0) {
            text = unquote(line);
            current = &text;
        } else if (!line.empty() && line[0] == '"' && current != nullptr) {
            *current += unquote(line);
        } else if (line.empty()) {
            finish();
        }
    }
    finish();
    return out;
}
