// The classroom features below the window: which keys are the program's,
// where pictures go and what they are called, and the language chosen.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <filesystem>

#include "app/classroom.h"
#include "app/commands.h"
#include "app/language.h"
#include "app/platform.h"
#include "app/snapshot.h"
#include "interface/translation.h"
#include "assets/image.h"
#include "support/environment.h"
#include "support/temp_path.h"
#include "velmkit/velm_base.h"
#include "velmkit/velm_file.h"

namespace {
constexpr int32_t none = 0, shift = velmModShift, control = velmModControl, alt = velmModAlt;
constexpr int32_t f1 = velmKeyF1, f11 = velmKeyF1 + 10, f12 = velmKeyF1 + 11;

std::string folder(const std::string& name) { return freshFolder(name); }
}  // namespace

TEST(ClassroomKeys, EachKeyAsksItsCommandAndNearMissesAskNone) {
    EXPECT_EQ(commandFor('p', none, false), Command::TogglePause);
    EXPECT_EQ(commandFor('P', shift, false), Command::TogglePause);
    EXPECT_EQ(commandFor(f11, none, false), Command::ToggleFullScreen);
    EXPECT_EQ(commandFor(velmKeyReturn, alt, true), Command::ToggleFullScreen);
    EXPECT_EQ(commandFor(27, none, true), Command::LeaveFullScreen);
    EXPECT_EQ(commandFor(f12, none, false), Command::SavePicture);
    EXPECT_EQ(commandFor(f1, none, false), Command::ToggleHelp);
    EXPECT_EQ(commandFor('?', shift, false), Command::ToggleHelp);
    EXPECT_EQ(commandFor(velmKeyRight, none, false), Command::NextFeature);
    EXPECT_EQ(commandFor('N', shift, false), Command::NextFeature);
    EXPECT_EQ(commandFor(velmKeyLeft, none, true), Command::PreviousFeature);
    EXPECT_EQ(commandFor('b', none, false), Command::PreviousFeature);
    EXPECT_EQ(commandFor(27, none, true, 0, true), Command::LeaveTour) << "the tour first, then full screen";
    EXPECT_EQ(commandFor('n', control, false), Command::None);
    // "?" is what the layout types: Shift and "," in French, Shift and "ß" in German.
    EXPECT_EQ(commandFor('<', shift, false, '?'), Command::ToggleHelp);
    EXPECT_EQ(commandFor(223, shift, false, '?'), Command::ToggleHelp);
    EXPECT_EQ(commandFor('?', shift, false, '/'), Command::None) << "Shift and the keypad's /";
    EXPECT_EQ(commandFor('?', shift | control, false, '?'), Command::None);
    // Everything else still goes to the widgets: Escape in a window, Return
    // alone, shortcuts with Control, the check box's Tab and Space.
    EXPECT_EQ(commandFor(27, none, false), Command::None);
    EXPECT_EQ(commandFor(velmKeyReturn, none, false), Command::None);
    EXPECT_EQ(commandFor(velmKeyReturn, alt | control, false), Command::None);
    EXPECT_EQ(commandFor('p', control, false), Command::None);
    EXPECT_EQ(commandFor(f12, alt, false), Command::None);
    EXPECT_EQ(commandFor(velmKeyTab, none, false), Command::None);
    EXPECT_EQ(commandFor(velmKeySpace, none, false), Command::None);
    EXPECT_EQ(commandFor('q', none, false), Command::None);
}

TEST(Pictures, NamedByTheSecondAndNumberedWhenTheNameIsTaken) {
    setEnvironment("TZ", "UTC");
    tzset();
    const std::time_t t = 1796738706;   // 2026-12-08 14.05.06 UTC
    EXPECT_EQ(pictureFileName(t, 1), "Corvane Zone 2026-12-08 14.05.06.png");
    EXPECT_EQ(pictureFileName(t, 2), "Corvane Zone 2026-12-08 14.05.06 (2).png");
}

TEST(Pictures, AreWrittenAsNewFilesAndNeverOverwrite) {
    Image frame;
    frame.width = 3;
    frame.height = 2;
    frame.bitDepth = 8;
    frame.pixels = new uint8_t[24]{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24};
    const std::string saved = folder("saved"), path = saved + "/picture.png";
    int error = 0;
    for (const uint8_t channels : {4, 3}) {   // with alpha, and the window's frames
        frame.channels = channels;
        const std::string file = channels == 3 ? path : saved + "/with_alpha.png";
        ASSERT_TRUE(savePngAsNewFile(file, frame, error)) << error;
        const Image back = loadPng(file);
        ASSERT_EQ(back.channels, channels);
        EXPECT_EQ(std::vector<uint8_t>(back.pixels, back.pixels + 6 * channels),
                  std::vector<uint8_t>(frame.pixels, frame.pixels + 6 * channels));
    }
    EXPECT_FALSE(savePngAsNewFile(path, Image(), error)) << "nothing to write";
    EXPECT_FALSE(savePngAsNewFile(path, frame, error));
    EXPECT_EQ(error, EEXIST);
    EXPECT_FALSE(savePngAsNewFile("/nonexistent-folder/x.png", frame, error));
    EXPECT_EQ(error, ENOENT);
    EXPECT_STREQ(savingFailure(ENOSPC).c_str(), "the disk is full");
    // A disk that fills up: the encoder stops at the first write refused.
    int pieces = 0;
    EXPECT_FALSE(encodePng(frame, [&](const uint8_t*, size_t) { return ++pieces < 2; }));
    EXPECT_EQ(pieces, 2) << "nothing more is written after a write is refused";
}

TEST(Language, SettingsNameLanguagesMostSpecificFirst) {
    EXPECT_EQ(languagesOf("pt_BR.UTF-8@euro"), std::vector<std::string>({"pt_BR", "pt"}));
    EXPECT_EQ(languagesOf("de"), std::vector<std::string>({"de"}));
    EXPECT_TRUE(languagesOf("").empty());
}

// As gettext chooses: LANGUAGE (a list) before the locale, but only where
// the locale is not C; C by any of its names gives English.
TEST(Language, ChosenAsGettextProgramsChooseIt) {
    const std::string catalogs = CORVANE_LOCALE_DIR;
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"})
        unsetEnvironment(name);
    EXPECT_EQ(setUpLanguage("es", catalogs), "es") << "--lang in an empty environment";
    EXPECT_STREQ(tr("Paused"), "En pausa");
    EXPECT_EQ(setUpLanguage("", catalogs), "en");
    EXPECT_STREQ(tr("Paused"), "Paused") << "and the texts follow";
    setEnvironment("LANGUAGE", "de");
    if (systemLanguage().empty()) {   // Windows always has a locale of its own
        EXPECT_EQ(setUpLanguage("", catalogs), "en") << "no locale is the C locale";
    }
    for (const char* c : {"C", "POSIX", "C.UTF-8"}) {
        setEnvironment("LC_ALL", c);
        setEnvironment("LANG", "fr_FR.UTF-8");
        EXPECT_EQ(setUpLanguage("", catalogs), "en") << c << " over LANG, LANGUAGE left aside";
    }
    unsetEnvironment("LC_ALL");
    EXPECT_EQ(setUpLanguage("", catalogs), "de") << "LANGUAGE over a locale that is not C";
    unsetEnvironment("LANGUAGE");
    setEnvironment("LANG", "fr_CA.UTF-8");
    EXPECT_EQ(setUpLanguage("", catalogs), "fr");
    setEnvironment("LANG", "xx_YY.UTF-8");   // no catalog: English
    EXPECT_EQ(setUpLanguage("", catalogs), "en");
    setEnvironment("LC_ALL", "es_ES.UTF-8");   // over LANG
    EXPECT_EQ(setUpLanguage("", catalogs), "es");
    setEnvironment("LANGUAGE", "C:de");   // the untranslated texts, whatever follows
    EXPECT_EQ(setUpLanguage("", catalogs), "en");
    setEnvironment("LANGUAGE", "xx:pt_BR:de");   // a list, over both
    EXPECT_EQ(setUpLanguage("", catalogs), "pt_BR");
    EXPECT_EQ(setUpLanguage("pt", catalogs), "pt_PT") << "a language alone is its home country's";
    EXPECT_STREQ(tr("Oceanic crust"), "Crusta oceânica");
    EXPECT_EQ(setUpLanguage("de", catalogs), "de") << "--lang wins";
    EXPECT_STREQ(tr("Trench"), "Tiefseegraben") << "and the catalog is in use";
    // Chinese by its writing: Hong Kong reads Taiwan's characters,
    // Singapore and Chinese named alone mainland China's.
    EXPECT_EQ(setUpLanguage("zh_HK", catalogs), "zh_TW");
    EXPECT_EQ(setUpLanguage("zh_SG", catalogs), "zh_CN");
    EXPECT_EQ(setUpLanguage("zh", catalogs), "zh_CN");
    // A damaged catalog is passed over: English texts, English picture.
    const std::string locale = folder("locale"), damaged = locale + "/de/LC_MESSAGES";
    std::filesystem::create_directories(damaged);
    std::ofstream(damaged + "/corvane.mo") << "damaged";
    EXPECT_EQ(setUpLanguage("de", locale), "en");
    EXPECT_STREQ(tr("Trench"), "Trench");
}

// The compiled catalog is read whole: every text of it, and nothing of a
// damaged one, which leaves the texts as they were.
TEST(Language, CatalogReadWholeOrNotAtAll) {
    const std::string german = std::string(CORVANE_LOCALE_DIR) + "/de/LC_MESSAGES/corvane.mo";
    ASSERT_TRUE(useCatalogFile(german));
    EXPECT_STREQ(tr("Paused"), "Angehalten");
    EXPECT_STREQ(tr("Keys"), "Tasten");
    EXPECT_STREQ(tr("not in the catalog"), "not in the catalog");
    std::ifstream in(german, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string cut = testTempPath("cut.mo");
    std::ofstream(cut, std::ios::binary) << bytes.substr(0, bytes.size() - 40);
    EXPECT_FALSE(useCatalogFile(cut));
    EXPECT_STREQ(tr("Paused"), "Angehalten") << "nothing of a damaged catalog is used";
    // The tables may come after the texts, the last entry ending the file.
    const uint32_t header[] = {0x950412de, 0, 1, 32, 40, 0, 0}, entries[] = {1, 28, 1, 29};
    std::string tablesLast(reinterpret_cast<const char*>(header), sizeof header);
    tablesLast += "ab";
    tablesLast.resize(32, '\0');
    tablesLast.append(reinterpret_cast<const char*>(entries), sizeof entries);
    std::ofstream(cut, std::ios::binary) << tablesLast;
    ASSERT_TRUE(useCatalogFile(cut));
    EXPECT_STREQ(tr("a"), "b");
    std::ofstream(cut, std::ios::binary) << "not a catalog at all, but long enough to be read";
    EXPECT_FALSE(useCatalogFile(cut));
    // Every translation pointing at one long text: each lies within the
    // file, but together they ask a thousand times its size. Damaged: the
    // texts stay as they were, and no more memory is taken than the file's.
    constexpr uint32_t keys = 2000, longText = 100000;
    std::vector<uint32_t> table = {0x950412de, 0, keys, 28, 28 + 8 * keys};
    table.resize(7 + 16 * keys / 4);
    std::string texts;
    const uint32_t textsAt = 28 + 16 * keys, shared = textsAt + 6 * keys;
    for (uint32_t i = 0; i < keys; ++i) {
        char key[7];
        std::snprintf(key, sizeof key, "k%05u", i);
        texts.append(key, 6);
        table[7 + 2 * i] = 6, table[8 + 2 * i] = textsAt + 6 * i;
        table[7 + 2 * (keys + i)] = longText, table[8 + 2 * (keys + i)] = shared;
    }
    std::ofstream(cut, std::ios::binary) << std::string(reinterpret_cast<const char*>(table.data()), 4 * table.size())
                                         << texts << std::string(longText, 'x');
#ifndef _WIN32
    rusage before{}, after{};
    getrusage(RUSAGE_SELF, &before);
    EXPECT_FALSE(useCatalogFile(cut));
    getrusage(RUSAGE_SELF, &after);
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 8 * 1024) << "kilobytes more at the peak";
#else
    EXPECT_FALSE(useCatalogFile(cut));
#endif
    EXPECT_STREQ(tr("a"), "b") << "the catalog read before is kept";
}

// The catalog fuzzer's seeds and every input it ever failed on: read
// safely; the shipped catalogs whole, in either byte order, and every one
// cut short refused.
TEST(Language, EveryFuzzSeedAndCrashReadsSafely) {
    for (const char* folder : {CORVANE_FUZZ_DIR "/catalog_corpus", CORVANE_FUZZ_DIR "/catalog_crashes"})
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            const std::string name = entry.path().filename().string();
            if (name == "README")
                continue;
            const bool whole = entry.path().extension() == ".mo";
            EXPECT_EQ(useCatalogFile(entry.path().string()), whole) << name;
            if (whole) {
                EXPECT_STRNE(tr("Highlighted Features"), "Highlighted Features") << name;
            }
        }
}
