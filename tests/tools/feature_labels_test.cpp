// The feature labels against the scene they describe: each leader ends on
// what its label names, seen through the scene's own camera; in every
// language no two leaders cross, no text covers another or the panel, and
// every text keeps clear of the window's edge; the layers the plain view
// paints lie where the scene's geometry puts them.
#include <gtest/gtest.h>

#include <GL/glu.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include "animation/animation.h"
#include "animation/vent_cone.h"
#include "render/block.h"
#include "render/frame.h"
#include "render/plate.h"
#include "assets/canvas.h"
#include "assets/feature_labels.h"
#include "assets/features_picture.h"
#include "assets/image.h"
#include "assets/language_faces.h"
#include "tools/po_file.h"
#include "velmkit/velm_font.h"
#include "velmkit/velm_text.h"

namespace {
using Polygon = std::vector<WindowPoint>;

bool inside(const Polygon& poly, WindowPoint p) {
    bool in = false;
    for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        const WindowPoint a = poly[i], b = poly[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x)
            in = !in;
    }
    return in;
}

bool insideAny(const std::vector<Polygon>& polys, WindowPoint p) {
    return std::any_of(polys.begin(), polys.end(), [&](const Polygon& q) { return inside(q, p); });
}

bool overlap(const Box& a, const Box& b) {
    return a.left < b.right && b.left < a.right && a.bottom < b.top && b.bottom < a.top;
}

WindowPoint frontPoint(float x, float y) { return projectModel(x, y, 2.0f); }

// Front-face pieces of the plate between two depths along its normal.
std::vector<Polygon> plateBand(float from, float to) {
    std::vector<Polygon> out;
    for (const Strip& s : plateStrips()) {
        float n[3], m[3];
        plateNormal(s.from, n);
        plateNormal(s.to, m);
        const auto at = [](float p, const float* normal, float depth) {
            return frontPoint(p + plateStartX - depth * normal[0], plateHeight(p) - depth * normal[1]);
        };
        out.push_back({at(s.from, n, from), at(s.to, m, from), at(s.to, m, to), at(s.from, n, to)});
    }
    return out;
}

// The plate's top edge on the front face, between two model x.
float distanceToPlateTop(WindowPoint p, float fromX, float toX) {
    float best = 1e9f;
    for (float x = fromX; x <= toX; x += 0.002f) {
        const WindowPoint q = frontPoint(x, plateHeight(x - plateStartX));
        best = std::min(best, std::hypot(q.x - p.x, q.y - p.y));
    }
    return best;
}

class FeatureLabelsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        font = new TextRenderer(velmResolveFontFile("VERDANAB.TTF"));
        PlateSurfaces normals;   // the first plate computes the end normals
        Block landNormals;
        glViewport(0, 0, 640, 480);
        setupCamera(640, 480);
        createAnimation(animation);
    }
    static void TearDownTestSuite() {
        destroyAnimation(animation, true);
        delete font;
    }

    // Where a target lies in the window: polygons the leader must end in.
    static std::vector<Polygon> region(Target target) {
        switch (target) {
        case Target::OceanicCrust: return plateBand(0.0f, 0.1f);
        case Target::PlateMantle: return plateBand(0.1f, 0.35f);
        case Target::LandRock: {
            std::vector<Polygon> out;   // below the soil, down to the crust's base (the Moho)
            for (const Strip& s : landStrips()) {
                const auto at = [](float p, float y) { return frontPoint(p + landStartX, y); };
                const float x = s.from + landStartX, x2 = s.to + landStartX;
                out.push_back({at(s.from, landHeight(s.from) - 0.01f), at(s.to, landHeight(s.to) - 0.01f),
                               at(s.to, mohoAt(x2)), at(s.from, mohoAt(x))});
            }
            return out;
        }
        case Target::Slab: {   // the plate's layers where it descends
            std::vector<Polygon> out;
            for (const Polygon& piece : plateBand(0.0f, 0.35f))
                if (piece[0].x > frontPoint(-0.1f, 0).x)
                    out.push_back(piece);
            return out;
        }
        case Target::MantleWedge: {   // between the overriding plate's base and the slab
            std::vector<Polygon> out;
            for (float x = crustBaseMeetsSlab(); x < 1.2f; x += 0.02f)
                out.push_back({frontPoint(x, crustBaseAt(x)), frontPoint(x + 0.02f, crustBaseAt(x + 0.02f)),
                               frontPoint(x + 0.02f, plateTopAt(x + 0.02f)), frontPoint(x, plateTopAt(x))});
            return out;
        }
        case Target::Sediment:   // the wedge's cut face above the plate's top
            return {{frontPoint(-0.3f, -0.2f), frontPoint(-0.1f, -0.2f), frontPoint(-0.1f, -0.1f)}};
        case Target::Cone: {
            std::vector<Polygon> out;
            for (const VentCone* cone : animation.ventCones) {
                const auto v = coneVertices(coneShape(cone->scale, cone == animation.ventCones.front() ? 0.5f : 1.0f));
                for (size_t i = 0; i + 3 < v.size(); i += 4) {
                    Polygon quad;
                    for (size_t k = 0; k < 4; ++k)
                        quad.push_back(projectModel(cone->position[0] + v[i + k].position[0],
                                                    cone->position[1] + v[i + k].position[1],
                                                    cone->position[2] + v[i + k].position[2]));
                    out.push_back(quad);
                }
            }
            return out;
        }
        case Target::Magma: {
            const Arrow& a = *animation.theArrow;   // angle -90: along -y, its width along +x
            const auto eye = [&](float dx, float dy) { return projectEye(a.position[0] + dx, a.position[1] + dy, a.position[2]); };
            return {{eye(0, 0), eye(a.width, 0), eye(a.width, -a.length), eye(0, -a.length)}};
        }
        default:
            return {};
        }
    }

    static TextRenderer* font;
    static Animation animation;
};
TextRenderer* FeatureLabelsTest::font = nullptr;
Animation FeatureLabelsTest::animation;
}  // namespace

TEST_F(FeatureLabelsTest, TheGeneratorsCameraIsTheScenes) {
    GLdouble modelview[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    for (const auto& p : {std::array<float, 3>{-0.7f, -0.13f, 2}, {0.38f, 0.25f, 2}, {1, 0.066f, -2}}) {
        GLdouble x, y, z;
        gluProject(p[0], p[1], p[2], modelview, projection, viewport, &x, &y, &z);
        EXPECT_NEAR(projectModel(p[0], p[1], p[2]).x, x, 0.01);
        EXPECT_NEAR(projectModel(p[0], p[1], p[2]).y, y, 0.01);
    }
}

TEST_F(FeatureLabelsTest, EveryTextOfEveryLanguageFitsItsPlaceInTheWindowClearOfThePanel) {
    ASSERT_TRUE(font->ok());
    // The panel's widgets, design pixels, y up: title and check box, logo
    // with the maker's name, and the address.
    const Box panel[] = {{0, 400, 200, 480}, {488, 18, 630, 72}, {526, 4, 636, 22}};
    const auto labels = featureLabels();
    std::vector<std::string> languages = {""};
    std::ifstream linguas(std::string(CORVANE_PO_DIR) + "/LINGUAS");
    for (std::string line; std::getline(linguas, line);)
        if (!line.empty() && line[0] != '#')
            languages.push_back(line);
    EXPECT_EQ(languages.size(), 19u);
    for (const std::string& language : languages) {
        const auto texts = readPoFile(std::string(CORVANE_PO_DIR) + "/" + language + ".po");
        EXPECT_EQ(texts.empty(), language.empty()) << language;
        // The language's faces, as the program draws with them: the labels'
        // and the captions' weights, each with the language's fallback.
        velmSetFallbackFamily(fallbackFamilyOf(language));
        const TextRenderer bold(velmResolveFontFile(labelFontFile)), regular(velmResolveFontFile(captionFontFile));
        for (const auto& [english, translation] : texts)
            for (const VelmCharacter& c : velmCharacters(translation))
                EXPECT_TRUE(c.code == '\n' || (bold.draws(c.code) && regular.draws(c.code)))
                    << "no glyph for U+" << std::hex << c.code << std::dec << " in " << language;
        std::vector<FeatureLabel> translated = labels;
        std::vector<LaidOutLabel> laid;
        for (FeatureLabel& label : translated) {
            const auto found = texts.find(label.text);
            if (found != texts.end())
                label.text = found->second;
            laid.push_back(layOut(label, bold));
            EXPECT_TRUE(laid.back().fits) << label.key << " in " << language;
        }
        for (const std::string& problem : layoutProblems(translated, laid))
            ADD_FAILURE() << problem << " in " << language;
    }
    velmSetFallbackFamily("");
    for (const FeatureLabel& label : labels) {
        SCOPED_TRACE(label.key);
        const LaidOutLabel laid = layOut(label, *font);
        EXPECT_GE(laid.text.left, 0);
        EXPECT_LE(laid.text.right, 640);
        EXPECT_GE(laid.text.bottom, 0);
        EXPECT_LE(laid.text.top, 480);
        for (const Box& widget : panel)
            EXPECT_FALSE(overlap(label.place, widget)) << "under the panel";
    }
    // Places are apart, so no translation can make two texts meet.
    for (size_t i = 0; i < labels.size(); ++i)
        for (size_t j = i + 1; j < labels.size(); ++j)
            EXPECT_FALSE(overlap(labels[i].place, labels[j].place)) << labels[i].key << " and " << labels[j].key;
}

TEST_F(FeatureLabelsTest, LeadersEndOnWhatTheirLabelsNameAndTheLayersLieWhereTheSceneIs) {
    const auto labels = featureLabels();
    std::vector<LaidOutLabel> laid;
    for (const FeatureLabel& label : labels)
        laid.push_back(layOut(label, *font));
    const WindowPoint melt = meltCentre();
    for (size_t i = 0; i < labels.size(); ++i) {
        const FeatureLabel& label = labels[i];
        SCOPED_TRACE(label.key);
        const WindowPoint end = label.anchor();
        const WindowPoint centre{(laid[i].text.left + laid[i].text.right) / 2, (laid[i].text.bottom + laid[i].text.top) / 2};
        switch (label.target) {
        case Target::Trench: {
            // The trough's deepest point, at the wedge's toe, under its leader.
            float deepest = 1e9f, at = 0;
            for (float x = -0.6f; x <= -0.1f; x += 0.001f)
                if (seaFloorAt(x) < deepest)
                    deepest = seaFloorAt(x), at = x;
            const WindowPoint bottom = frontPoint(at, deepest);
            EXPECT_LT(std::hypot(end.x - bottom.x, end.y - bottom.y), 1.0f) << "at the trench's deepest point";
            EXPECT_GT(frontPoint(-0.6f, seaFloorAt(-0.6f)).y - bottom.y, 10) << "well below the deep-sea plain";
            EXPECT_GT(frontPoint(-0.1f, seaFloorAt(-0.1f)).y - bottom.y, 20) << "and the shelf";
            EXPECT_LT(distanceToPlateTop(bottom, -0.4f, 0.0f), 15.0f) << "where the plate bends down";
            break;
        }
        case Target::MantleWedge:
        case Target::LandRock:
            EXPECT_FALSE(label.leader);
            EXPECT_TRUE(insideAny(region(label.target), centre)) << "its text lies on what it names";
            break;
        case Target::Water: {
            const auto drops = waterDrops();
            EXPECT_TRUE(std::any_of(drops.begin(), drops.end(),
                                    [&](WindowPoint d) { return std::hypot(d.x - end.x, d.y - end.y) < 1; }));
            break;
        }
        case Target::Melt:
            EXPECT_LT(std::hypot((end.x - melt.x) / meltRadiusX, (end.y - melt.y) / meltRadiusY), 1.0f);
            break;
        case Target::Earthquake:
            EXPECT_TRUE(insideAny(region(Target::OceanicCrust), end)) << "on a focus in the slab";
            break;
        case Target::PlateMantle:
            EXPECT_FALSE(label.leader);
            EXPECT_TRUE(insideAny(region(Target::PlateMantle), centre)) << "its text lies on the lower band";
            break;
        case Target::Asthenosphere:
            EXPECT_FALSE(label.leader);
            EXPECT_FALSE(insideAny(region(Target::PlateMantle), {centre.x, laid[i].text.top}))
                << "its text lies below the plate";
            EXPECT_FALSE(insideAny(region(Target::OceanicCrust), {centre.x, laid[i].text.top}));
            break;
        case Target::None:
            EXPECT_FALSE(label.leader);
            break;
        default:
            EXPECT_TRUE(insideAny(region(label.target), end));
        }
        if (label.target == Target::Sediment) {
            EXPECT_GT(end.y, frontPoint(-0.147f, plateHeight(-0.147f - plateStartX)).y) << "above the plate's top";
        }
    }
    // Every earthquake focus lies in the slab, landward of the trench: some
    // on the plates' contact under the forearc (megathrust), then down to
    // where the logo (from x 488) covers it. The melt lies in the mantle
    // wedge: under the overriding plate's base, well above the slab under
    // the arc, and over the slab.
    const auto foci = earthquakeMarks();
    for (const WindowPoint& q : foci)
        EXPECT_TRUE(insideAny(region(Target::OceanicCrust), q)) << q.x << ", " << q.y;
    EXPECT_GT(foci.front().x, project(trenchBottom()).x);
    EXPECT_GE(std::count_if(foci.begin(), foci.end(), [](WindowPoint q) {
                  return q.x < frontPoint(crustBaseMeetsSlab(), 0).x && distanceToPlateTop(q, -0.3f, 0.3f) < 5;
              }), 2) << "on the plates' contact under the forearc";
    EXPECT_GT(foci.back().x, 488 - 15);
    // The overriding plate at the window's right edge: its crust a third of
    // its lithosphere, its lithospheric mantle between the crust's base and
    // the lithosphere's, over the mantle wedge; the overlay paints them so.
    const Image overlay = loadPng(std::string(CORVANE_DATA_DIR) + "/corvane_overlay.png");
    ASSERT_EQ(overlay.channels, 4);
    const auto painted = [&](WindowPoint w) {   // the overlay is stretched over the window
        const uint8_t* p = overlay.pixels + static_cast<size_t>(w.y / 480 * overlay.height) * overlay.rowBytes() +
                           static_cast<size_t>(w.x / 640 * overlay.width) * 4;
        return std::array<int, 4>{p[0], p[1], p[2], p[3]};
    };
    const Bracket right = continentalLithosphereBracket();
    for (float x = 0.6f; x <= 0.76f; x += 0.08f) {
        const float top = landTopAt(x), moho = mohoAt(x), base = crustBaseAt(x);
        EXPECT_NEAR((top - moho) / (top - base), 1.0f / 3, 0.05f) << "the crust a third of the lithosphere";
        const auto crust = painted(frontPoint(x, (top + moho) / 2)), mantle = painted(frontPoint(x, (moho + base) / 2)),
                   wedge = painted(frontPoint(x, (base + plateTopAt(x)) / 2));
        EXPECT_GT(crust[0] + crust[1] + crust[2], 3 * 180) << "light granitic rock, at " << x;
        EXPECT_GT(mantle[1], mantle[0] + 15) << "green-grey mantle, at " << x;
        EXPECT_GT(wedge[0], wedge[2] + 40) << "the wedge's brown asthenosphere, at " << x;
    }
    EXPECT_NEAR(right.top, frontPoint(0.76f, landTopAt(0.76f)).y, 2) << "the bracket spans the whole plate";
    EXPECT_NEAR(right.bottom, frontPoint(0.76f, crustBaseAt(0.76f)).y, 2);
    for (float x = crustBaseMeetsSlab(); x < 1.0f; x += 0.05f) {
        EXPECT_NEAR(crustBaseAt(x), layerBottom(x - landStartX), 1e-4f) << "the crust's base is the land layer's";
        EXPECT_NEAR(plateTopAt(x), plateHeight(x - plateStartX), 1e-4f);
    }
    const float arc = animation.ventCones.front()->position[0];
    EXPECT_GT(frontPoint(arc, crustBaseAt(arc)).y - frontPoint(arc, plateTopAt(arc)).y, 25) << "well above the slab";
    const float meltX = 0.4f;   // where the melt glow lies, under the arrow
    EXPECT_LT(melt.y, frontPoint(meltX, crustBaseAt(meltX)).y);
    EXPECT_GT(melt.y, frontPoint(meltX, plateTopAt(meltX)).y);
}
