// The language of the texts: chosen as every gettext program chooses it.
#pragma once

#include <string>
#include <vector>

// Where the catalogs are: $CORVANE_LOCALEDIR, else "locale" beside the
// program (a build), else share/locale of the installation it is part of.
std::string localeFolder();
// Chooses the language: requested (--lang) when given, else as gettext
// chooses: the locale in force (LC_ALL, else LC_MESSAGES, else LANG, else
// the system's setting where the environment has none), preceded by the
// list in LANGUAGE unless that locale is C (or POSIX, or C.UTF-8). The first
// that has a catalog in folder that reads whole is put in use and answered
// as its catalog is named ("es", "pt_BR", ...; a language named alone is
// its home country's: "pt" gives pt_PT); "en", with no catalog, when none
// has. Nothing depends on the locales installed or on the C library.
std::string setUpLanguage(const std::string& requested, const std::string& folder);
// The languages a setting names, most specific first: "pt_BR.UTF-8@x"
// gives pt_BR, then pt.
std::vector<std::string> languagesOf(const std::string& setting);
// The language of the texts as written, with no catalog.
constexpr const char* englishLanguage = "en";
