// Choosing the language and binding the catalog.
#include "app/language.h"

#include <sys/stat.h>
#include <unistd.h>
#ifndef _WIN32
#include <libintl.h>
#endif

#include <clocale>
#include <cstdlib>
#include <cstring>

#include "app/platform.h"
#include "interface/translation.h"

namespace {
constexpr const char* english = "en";

bool exists(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

const char* environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? value : nullptr;
}
}  // namespace

std::string localeFolder() {
    if (const char* set = environment("CORVANE_LOCALEDIR"))
        return set;
    const std::string here = programFolder();
    if (exists(here + "/locale"))
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

std::string setUpLanguage(const std::string& requested, const std::string& folder) {
    std::vector<std::string> settings;
    if (!requested.empty()) {
        settings.push_back(requested);
    } else {
        // gettext reads LANGUAGE, a list, before the one locale setting in force.
        if (const char* list = environment("LANGUAGE"))
            for (const char* p = list; *p != '\0';) {
                const char* end = std::strchr(p, ':');
                settings.emplace_back(p, end != nullptr ? static_cast<size_t>(end - p) : std::strlen(p));
                p = end != nullptr ? end + 1 : p + std::strlen(p);
            }
        for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
            if (const char* value = environment(name)) {
                settings.emplace_back(value);
                break;
            }
        // Where the environment does not say (Windows), the system's settings do.
        if (settings.empty() && !systemLanguage().empty())
            settings.push_back(systemLanguage());
    }
    for (const std::string& setting : settings) {
        if (setting == "C" || setting == "POSIX")
            break;   // the untranslated texts
        for (const std::string& language : languagesOf(setting)) {
            if (language == english)
                return english;
            const std::string catalog = folder + "/" + language + "/LC_MESSAGES/" + textDomain + ".mo";
            if (!exists(catalog))
                continue;
#ifdef _WIN32
            useCatalogFile(catalog);   // no libintl here: the catalog is read directly
#else
            // gettext follows LANGUAGE only outside the "C" locale; C.UTF-8
            // is there on every system, whatever locales are installed.
            setenv("LANGUAGE", language.c_str(), 1);
            const char* locale = std::setlocale(LC_MESSAGES, "");
            if (locale == nullptr || std::strcmp(locale, "C") == 0 || std::strcmp(locale, "POSIX") == 0)
                std::setlocale(LC_MESSAGES, "C.UTF-8");
            bindtextdomain(textDomain, folder.c_str());
            bind_textdomain_codeset(textDomain, "UTF-8");
#endif
            return language.substr(0, language.find('_'));
        }
    }
    return english;
}

std::string translatedFeaturesPicture(const std::string& language) {
    const std::string picture = "corvane_features_" + language + ".png";
    return language != english && access(picture.c_str(), R_OK) == 0 ? picture : std::string();
}
