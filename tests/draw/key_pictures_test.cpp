// Draws one sample key of every type, with part of its bitting entered, through the image
// canvas into PNG files beside the test program ("drawings/"), for people to look at.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "draw/key_drawer.h"
#include "draw/sample_keys.h"
#include "platform/gdi/image_canvas.h"

namespace {

std::filesystem::path PictureFolder() {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path() / "drawings";
}

}  // namespace

TEST(KeyPictures, EveryTypeDrawsItsKeyIntoAPicture) {
    std::filesystem::create_directories(PictureFolder());
    for (const drawtest::SampleKey& sample : drawtest::SampleKeys()) {
        SCOPED_TRACE(sample.name);
        platform::ImageCanvas canvas(CKeyDrawer::kCanvasWidth, CKeyDrawer::kCanvasHeight);
        CKeyDrawer(canvas).DrawKey(sample.key, sample.bitting);
        ASSERT_TRUE(canvas.SavePng((PictureFolder() / (sample.name + ".png")).string()));

        // The blade lies around the centre line; the handle stub or blade edge starts at x 0.
        int drawn = 0;
        int black = 0;
        for (int y = 80; y < 210; ++y) {
            for (int x = 0; x < 300; ++x) {
                const platform::Color c = canvas.PixelAt(x, y);
                drawn += c != platform::Rgb(255, 255, 255);
                black += c == platform::Rgb(0, 0, 0);
            }
        }
        EXPECT_GT(drawn, 800);
        EXPECT_GT(black, 400);
        EXPECT_EQ(canvas.PixelAt(1, 143), platform::Rgb(255, 255, 255));  // nothing on the axis
    }
}
