// Where the English labels' texts lie in the design.
#include "e2e/label_places.h"

#include "assets/canvas.h"
#include "assets/features_picture.h"
#include "velmkit/velm_font.h"

std::map<std::string, Box> englishLabelBoxes() {
    const TextRenderer font(velmResolveFontFile(labelFontFile));
    std::map<std::string, Box> boxes;
    for (const FeatureLabel& label : featureLabels())
        boxes[label.key] = layOut(label, font).text;
    return boxes;
}
