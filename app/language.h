// The language of the texts: chosen as every gettext program chooses it.
#pragma once

#include <string>
#include <vector>

// Where the catalogs are: $CORVANE_LOCALEDIR, else "locale" beside the
// program (a build), else share/locale of the installation it is part of.
std::string localeFolder();
// Chooses the language: requested (--lang) when given, else the first of
// LANGUAGE (a list), LC_ALL, LC_MESSAGES and LANG that has a catalog in
// folder; "en" when none has. Sets gettext up for it and answers it
// ("es", "pt", ...). English touches nothing: the texts are the catalog's keys.
std::string setUpLanguage(const std::string& requested, const std::string& folder);
// The languages a setting names, most specific first: "pt_BR.UTF-8@x"
// gives pt_BR, then pt.
std::vector<std::string> languagesOf(const std::string& setting);
// The features picture with its labels in language, in the working
// folder: "corvane_features_<language>.png" when it is there; empty for
// English and where there is none (the shipped corvane_features.png then).
std::string translatedFeaturesPicture(const std::string& language);
