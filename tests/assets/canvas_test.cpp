// The painter of the pictures made from data: nothing painted past a
// canvas's edges lands inside it, and a face that cannot be read paints no
// features picture.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "assets/canvas.h"
#include "assets/features_picture.h"
#include "support/temp_path.h"
#include "velmkit/velm_font.h"

TEST(Canvas, WhatLiesPastEveryEdgeStaysOutside) {
    Canvas canvas(16, 16);
    // A ring one pixel beyond each edge: none of it is on the canvas.
    Mask ring(18, 18);
    for (int i = 0; i < 18; ++i)
        ring(i, 0) = ring(i, 17) = ring(0, i) = ring(17, i) = 1;
    canvas.paintMask(ring, -1, -1, rgb(255, 0, 0));
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(canvas.get(x, y).a, 0.0f) << x << "," << y;
}

// A face in a folder named beyond the ANSI code page (a zip unpacked under
// "Imágenes" on Windows) is read all the same.
TEST(Canvas, AFaceInAFolderNamedBeyondTheAnsiCodePageIsRead) {
    velmSetFontFolders({"."});   // where the Windows suite keeps its faces; fontconfig elsewhere
    const std::filesystem::path face = std::filesystem::u8path(velmResolveFontFile(labelFontFile));
    const std::string folder = testTempPath("Im\xC3\xA1genes");
    std::filesystem::create_directories(std::filesystem::u8path(folder));
    std::filesystem::copy_file(face, std::filesystem::u8path(folder + "/label.ttf"),
                               std::filesystem::copy_options::overwrite_existing);
    EXPECT_TRUE(TextRenderer(folder + "/label.ttf").ok());
}

TEST(Canvas, AFaceThatCannotBeReadPaintsNoFeaturesPicture) {
    const TextRenderer missing("no such face.ttf");
    EXPECT_FALSE(missing.ok());
    EXPECT_EQ(missing.advance("Trench", 12), 0.0f);
    const auto same = [](const std::string& text) { return text; };
    EXPECT_TRUE(paintedFeaturesPicture(64, 48, "no such face.ttf", same).empty());
}
