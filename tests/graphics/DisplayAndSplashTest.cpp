// Which display modes are offered, and how phase-block crossings are classified.
#include <gtest/gtest.h>

#include <string>

#include "graphics/DisplayModes.h"
#include "graphics/PhaseSplashDetector.h"

namespace {

using Graphics::DisplayMode;

bool Same(const DisplayMode* mode, int width, int height) {
    return mode != nullptr && mode->width == width && mode->height == height;
}

TEST(DisplayModes, FullScreenTakesTheDesktopShapeAndWindowsAre4By3At60Hz) {
    Graphics::DisplayModes modes;
    modes.Build({{640, 480, 60},
                 {800, 600, 60},
                 {800, 600, 75},
                 {1024, 768, 60},
                 {1280, 720, 60},
                 {1366, 768, 60},
                 {1280, 1024, 60},
                 {1600, 900, 59},
                 {1920, 1080, 60}},
                1920, 1080);
    ASSERT_EQ(modes.GetFullscreen().size(), 2u) << "1366 x 768 is not exactly 16:9; 1600 x 900 runs at 59 Hz";
    EXPECT_EQ(modes.GetFullscreen()[0].width, 1280);
    ASSERT_EQ(modes.GetWindowed().size(), 2u) << "640 x 480 is under 600 high; 800 x 600 at 75 Hz is dropped";
    EXPECT_TRUE(Same(modes.Current(false), 800, 600));
    EXPECT_TRUE(Same(modes.Current(true), 1920, 1080)) << "full screen starts at the last entry";

    modes.Next(true);
    EXPECT_TRUE(Same(modes.Current(true), 1280, 720)) << "wraps to the first";
    modes.Next(false);
    EXPECT_TRUE(Same(modes.Current(false), 1024, 768));
    modes.Next(false);
    EXPECT_TRUE(Same(modes.Current(false), 800, 600));
    modes.SelectWindowed(1024, 768);
    EXPECT_TRUE(Same(modes.Current(false), 1024, 768));
}

TEST(DisplayModes, EmptyListsStepSafelyAndFallBackToTheDesktopAndTheWindow) {
    Graphics::DisplayModes modes;
    modes.Build({{1024, 768, 75}}, 1920, 1200);
    EXPECT_EQ(modes.Current(true), nullptr);
    EXPECT_EQ(modes.Current(false), nullptr);
    modes.Next(true);
    modes.Next(false);
    EXPECT_EQ(modes.Current(false), nullptr);

    // A display that reports no 60 Hz mode (a virtual one) still offers its desktop and the window.
    modes.FallBack({1920, 1200, 0}, {800, 600, 60});
    EXPECT_TRUE(Same(modes.Current(true), 1920, 1200));
    EXPECT_TRUE(Same(modes.Current(false), 800, 600));
    modes.Next(true);
    EXPECT_TRUE(Same(modes.Current(true), 1920, 1200));

    Graphics::DisplayModes listed;
    listed.Build({{1024, 768, 60}, {1920, 1200, 60}}, 1920, 1200);
    listed.FallBack({1920, 1200, 0}, {640, 480, 60});
    EXPECT_EQ(listed.GetFullscreen().size(), 1u) << "lists the rules filled are kept as they are";
    EXPECT_TRUE(Same(listed.Current(false), 1024, 768));
}

std::string Splash(Graphics::PhaseSplashDetector& detector, unsigned x, unsigned y, unsigned char tile) {
    const char* name = detector.Step(x, y, tile);
    return name == nullptr ? "" : name;
}

TEST(PhaseSplash, EnteringAndLeavingSplashByTheDirectionOfTravel) {
    Graphics::PhaseSplashDetector detector;
    EXPECT_EQ(Splash(detector, 4, 5, 0), "");
    EXPECT_EQ(Splash(detector, 5, 5, 3), "SplashRight") << "moving right into the block";
    EXPECT_EQ(Splash(detector, 5, 5, 3), "") << "standing still inside";
    EXPECT_EQ(Splash(detector, 6, 5, 0), "SplashLeft") << "leaving to the right";
    EXPECT_EQ(Splash(detector, 5, 5, 3), "SplashLeft") << "moving left into the block";
    EXPECT_EQ(Splash(detector, 4, 5, 0), "SplashRight") << "leaving to the left";

    EXPECT_EQ(Splash(detector, 4, 6, 3), "SplashDown") << "entering while rising";
    EXPECT_EQ(Splash(detector, 4, 7, 0), "SplashUp") << "leaving upwards";
    EXPECT_EQ(Splash(detector, 4, 6, 3), "SplashUp") << "entering while falling";
    EXPECT_EQ(Splash(detector, 4, 5, 0), "SplashDown") << "leaving downwards";
}

TEST(PhaseSplash, DiagonalCrossingsAreToldByXFirst) {
    Graphics::PhaseSplashDetector detector;
    Splash(detector, 4, 4, 0);
    EXPECT_EQ(Splash(detector, 5, 5, 3), "SplashRight");
    EXPECT_EQ(Splash(detector, 4, 6, 1), "SplashRight") << "left and up out of it: x decides";
}

}  // namespace
