// The feature labels against the scene they describe: each leader ends on
// what its label names, seen through the scene's own camera; no two leaders
// cross; no text covers another, the panel, or leaves the window.
#include <gtest/gtest.h>

#include <GL/glu.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "animation/animation.h"
#include "animation/vent_cone.h"
#include "render/block.h"
#include "render/frame.h"
#include "render/plate.h"
#include "assets/canvas.h"
#include "assets/feature_labels.h"
#include "tools/po_file.h"
#include "velmkit/velm_font.h"

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

float cross(WindowPoint o, WindowPoint a, WindowPoint b) { return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x); }

bool segmentsCross(WindowPoint a, WindowPoint b, WindowPoint c, WindowPoint d) {
    return cross(a, b, c) * cross(a, b, d) < 0 && cross(c, d, a) * cross(c, d, b) < 0;
}

bool segmentCrossesBox(WindowPoint a, WindowPoint b, const Box& box) {
    const WindowPoint corners[4] = {{box.left, box.bottom}, {box.right, box.bottom}, {box.right, box.top}, {box.left, box.top}};
    for (int i = 0; i < 4; ++i)
        if (segmentsCross(a, b, corners[i], corners[(i + 1) % 4]))
            return true;
    return false;
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
            std::vector<Polygon> out;   // below the grass and soil, down to the layer's bottom
            for (const Strip& s : landStrips()) {
                const auto at = [](float p, float y) { return frontPoint(p + landStartX, y); };
                out.push_back({at(s.from, landHeight(s.from) - 0.12f), at(s.to, landHeight(s.to) - 0.12f),
                               at(s.to, layerBottom(s.to)), at(s.from, layerBottom(s.from))});
            }
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
    for (const char* language : {"", "de", "es", "fr", "pt_BR", "pt_PT"}) {
        const auto texts = readPoFile(std::string(CORVANE_PO_DIR) + "/" + language + ".po");
        EXPECT_EQ(texts.empty(), *language == '\0') << language;
        for (FeatureLabel label : labels) {
            const auto translated = texts.find(label.text);
            if (translated != texts.end())
                label.text = translated->second;
            EXPECT_TRUE(layOut(label, *font).fits) << label.key << " in " << language;
        }
    }
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

TEST_F(FeatureLabelsTest, LeadersEndOnWhatTheirLabelsNameAndNeverCross) {
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
        case Target::Trench:
            EXPECT_LT(distanceToPlateTop(end, -0.4f, 0.0f), 2.0f) << "on the plate where it bends down";
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
    // Every earthquake focus lies in the slab, from near the trench down to
    // where the logo (from x 488) covers it; the melt lies in the mantle wedge: under the continent's
    // crust, whose base runs well above the slab under the arc, and over the slab.
    const auto foci = earthquakeMarks();
    for (const WindowPoint& q : foci)
        EXPECT_TRUE(insideAny(region(Target::OceanicCrust), q)) << q.x << ", " << q.y;
    EXPECT_LT(foci.front().x, frontPoint(-0.2f, 0).x);
    EXPECT_GT(foci.back().x, 488 - 15);
    for (float x = crustBaseMeetsSlab(); x < 1.0f; x += 0.05f) {
        EXPECT_NEAR(crustBaseAt(x), layerBottom(x - landStartX), 1e-4f) << "the crust's base is the land layer's";
        EXPECT_NEAR(plateTopAt(x), plateHeight(x - plateStartX), 1e-4f);
    }
    const float arc = animation.ventCones.front()->position[0];
    EXPECT_GT(frontPoint(arc, crustBaseAt(arc)).y - frontPoint(arc, plateTopAt(arc)).y, 25) << "well above the slab";
    const float meltX = 0.4f;   // where the melt glow lies, under the arrow
    EXPECT_LT(melt.y, frontPoint(meltX, crustBaseAt(meltX)).y);
    EXPECT_GT(melt.y, frontPoint(meltX, plateTopAt(meltX)).y);
    // No leader crosses another, or another label's text.
    for (size_t i = 0; i < labels.size(); ++i) {
        if (!labels[i].leader)
            continue;
        for (size_t j = 0; j < labels.size(); ++j) {
            if (j == i)
                continue;
            EXPECT_FALSE(segmentCrossesBox(laid[i].leaderStart, labels[i].anchor(), laid[j].text))
                << labels[i].key << " crosses the text of " << labels[j].key;
            if (labels[j].leader) {
                EXPECT_FALSE(segmentsCross(laid[i].leaderStart, labels[i].anchor(), laid[j].leaderStart, labels[j].anchor()))
                    << labels[i].key << " and " << labels[j].key;
            }
        }
    }
}
