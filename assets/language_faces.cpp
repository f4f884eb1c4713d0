// The faces a language's texts are drawn in.
#include "assets/language_faces.h"

#include <utility>

std::string fallbackFamilyOf(const std::string& language) {
    static const std::pair<const char*, const char*> families[] = {
        {"ja", "Noto Sans CJK JP"}, {"zh_CN", "Noto Sans CJK SC"}, {"zh_TW", "Noto Sans CJK TC"}, {"ko", "Noto Sans CJK KR"}};
    for (const auto& [name, family] : families)
        if (language == name)
            return family;
    return {};
}
