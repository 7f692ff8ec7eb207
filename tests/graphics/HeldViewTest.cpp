// The editor's held view: it takes the camera only while held, and only a view it can draw.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "graphics/Camera.h"
#include "graphics/HeldView.h"

namespace {

TEST(HeldView, HoldsTheCameraOnADrawableViewUntilReleased) {
    constexpr float kInfinity = std::numeric_limits<float>::infinity();
    const struct {
        float x, y, distance;
        bool taken;
    } views[] = {{4.0f, -2.0f, 12.0f, true},         {kInfinity, 0.0f, 8.0f, false},
                 {0.0f, std::nanf(""), 8.0f, false}, {0.0f, 0.0f, kInfinity, false},
                 {0.0f, 0.0f, 0.0f, false},          {0.0f, 0.0f, -5.0f, false}};
    for (const auto& view : views) {
        Graphics::HeldView held;
        held.Hold(view.x, view.y, view.distance);
        Graphics::Camera camera;
        camera.targetX = 1.0f;
        camera.targetY = 1.0f;
        camera.distance = -8.0f;
        held.Apply(camera);
        if (view.taken) {
            EXPECT_EQ(camera.targetX, view.x);
            EXPECT_EQ(camera.targetY, view.y);
            EXPECT_EQ(camera.distance, -view.distance) << "the camera stands in front of the level";
        } else {
            EXPECT_EQ(camera.targetX, 1.0f) << view.x << "," << view.y << " from " << view.distance;
            EXPECT_EQ(camera.distance, -8.0f) << view.x << "," << view.y << " from " << view.distance;
        }
        held.Release();
        camera.targetX = 1.0f;
        held.Apply(camera);
        EXPECT_EQ(camera.targetX, 1.0f) << "released";
    }
}

}  // namespace
