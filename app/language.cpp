// Choosing the language and binding the catalog.
#include "app/language.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "app/platform.h"
#include "interface/translation.h"
#include "velmkit/velm_file.h"

namespace {
constexpr const char* english = englishLanguage;

const char* environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? value : nullptr;
}
}  // namespace

std::string localeFolder() {
    if (const char* set = environment("CORVANE_LOCALEDIR"))
        return set;
    const std::string here = programFolder();
    if (velmPathExists(here + "/locale"))
        return here + "/locale";
    return here + "/../../share/locale";   // libexec/corvane/ beside share/
}

std::vector<std::string> languagesOf(const std::string& setting) {
    std::string name = setting.substr(0, setting.find_first_of(".@"));
    std::vector<std::string> out;
    if (name.empty())
        return out;
    out.push_back(name);
    const size_t territory = name.find('_');
    if (territory != std::string::npos)
        out.push_back(name.substr(0, territory));
    return out;
}

namespace {
// The untranslated texts' locale: C by any of its names (C.UTF-8 is C too).
bool isCLocale(const std::string& setting) {
    return setting == "C" || setting == "POSIX" || setting.rfind("C.", 0) == 0;
}

// The settings that name the language, in gettext's order: LANGUAGE (a
// list) and then the locale in force, LANGUAGE only where that locale is
// not C. Where the environment names no locale (Windows), the system's
// settings do.
std::vector<std::string> languageSettings() {
    std::string locale = "C";
    if (const char* value = environment("LC_ALL"))
        locale = value;
    else if (const char* messages = environment("LC_MESSAGES"))
        locale = messages;
    else if (const char* lang = environment("LANG"))
        locale = lang;
    else if (!systemLanguage().empty())
        locale = systemLanguage();
    std::vector<std::string> settings;
    if (isCLocale(locale))
        return settings;
    if (const char* list = environment("LANGUAGE"))
        for (const char* p = list; *p != '\0';) {
            const char* end = std::strchr(p, ':');
            settings.emplace_back(p, end != nullptr ? static_cast<size_t>(end - p) : std::strlen(p));
            p = end != nullptr ? end + 1 : p + std::strlen(p);
        }
    settings.push_back(locale);
    return settings;
}
}  // namespace

namespace {
// The catalog that serves a language too: its home country's for a
// language named alone ("pt" is pt_PT); Chinese by its writing, the
// traditional characters of Taiwan for Hong Kong and Macao, the simplified
// ones of mainland China for Singapore and for Chinese named alone. Empty
// where there is none other.
std::string servedAlsoBy(const std::string& language) {
    static const std::pair<const char*, const char*> writings[] = {
        {"zh", "zh_CN"}, {"zh_SG", "zh_CN"}, {"zh_HK", "zh_TW"}, {"zh_MO", "zh_TW"}};
    for (const auto& [name, catalog] : writings)
        if (language == name)
            return catalog;
    if (language.find('_') != std::string::npos)
        return {};
    std::string country = language;
    for (char& c : country)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return language + "_" + country;
}

// The first language of settings that is English or has a catalog that
// reads whole (then in use), as its catalog is named ("de", "pt_BR");
// English when none is.
std::string firstLanguage(const std::vector<std::string>& settings, const std::string& folder) {
    for (const std::string& setting : settings) {
        if (isCLocale(setting))
            return english;   // the untranslated texts
        for (const std::string& language : languagesOf(setting)) {
            if (language == english)
                return english;
            // The catalog is read here on every platform: what is shown never
            // depends on the locales a system has, nor on its C library. A
            // catalog that cannot be read is passed over, so that the texts
            // and the features picture are always of one language. A language
            // named alone is its home country's: "pt" is pt_PT.
            for (const std::string& name : {language, servedAlsoBy(language)}) {
                const std::string catalog = folder + "/" + name + "/LC_MESSAGES/" + textDomain + ".mo";
                if (!name.empty() && velmPathExists(catalog) && useCatalogFile(catalog))
                    return name;
            }
        }
    }
    return english;
}
}  // namespace

std::string setUpLanguage(const std::string& requested, const std::string& folder) {
    const std::string chosen =
        firstLanguage(requested.empty() ? languageSettings() : std::vector<std::string>{requested}, folder);
    if (chosen == english)
        useNoCatalog();
    return chosen;
}
