// Font lookup in the host's folders, where there is no fontconfig (Windows).
#include "velmkit/velm_font.h"
#include "velmkit/velm_font_lookup.h"

// In the host's folders: the file itself, else DejaVu Sans of its weight.
std::string velmSystemFont(const std::string& fileName) {
    std::string family;
    bool bold = false;
    velmFamilyFromStem(fileName, family, bold);
    for (const std::string& name : {fileName, std::string(bold ? "DejaVuSans-Bold.ttf" : "DejaVuSans.ttf")})
        for (const std::string& folder : velmFontFolders())
            if (velmReadable(folder + "/" + name))
                return folder + "/" + name;
    return {};
}

// In the host's folders: the family's name without its spaces, and its weight.
VelmFaceFile velmSystemFace(const std::string& family, bool bold) {
    std::string name;
    for (char c : family)
        if (c != ' ')
            name += c;
    name += bold ? "-Bold.otf" : "-Regular.otf";
    for (const std::string& folder : velmFontFolders())
        if (velmReadable(folder + "/" + name))
            return {folder + "/" + name, 0};
    return {};
}
