// Font lookup through fontconfig (Linux).
#include "velmkit/velm_font.h"
#include "velmkit/velm_font_lookup.h"

#include <fontconfig/fontconfig.h>

// fontconfig's match for the family and weight a file's stem names.
std::string velmSystemFont(const std::string& fileName) {
    std::string family;
    bool bold = false;
    velmFamilyFromStem(fileName, family, bold);

    // A configuration of our own, freed after the lookup, so that the
    // library keeps no fontconfig state alive for the rest of the process.
    std::string found;
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (config == nullptr)
        return found;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    if (FcPattern* match = FcFontMatch(config, pattern, &result)) {
        FcChar8* file = nullptr;
        if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file != nullptr)
            found = reinterpret_cast<const char*>(file);
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    FcConfigDestroy(config);
    return found;
}

VelmFaceFile velmSystemFace(const std::string& family, bool bold) {
    VelmFaceFile found;
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (config == nullptr)
        return found;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    if (FcPattern* match = FcFontMatch(config, pattern, &result)) {
        FcChar8* file = nullptr;
        int index = 0;
        // Only that family: fontconfig answers its nearest face of any other.
        bool named = false;
        FcChar8* name = nullptr;
        for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &name) == FcResultMatch; ++i)
            named |= family == reinterpret_cast<const char*>(name);
        if (named && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file != nullptr) {
            FcPatternGetInteger(match, FC_INDEX, 0, &index);
            found = {reinterpret_cast<const char*>(file), index};
        }
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    FcConfigDestroy(config);
    return found;
}
