// Font lookup in the host's folders, where there is no fontconfig (Windows).
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
