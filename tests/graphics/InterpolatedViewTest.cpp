// The camera's target and the player's light between ticks: drawn part of the way along a step,
// where they are after a jump, and put back once the frame is drawn.
#include <gtest/gtest.h>

#include <glm/glm.hpp>

#include "graphics/Camera.h"
#include "graphics/InterpolatedView.h"

namespace {

TEST(InterpolatedView, AStepIsDrawnPartWayAndAJumpWhereItLandsThenBothGoBack) {
    const struct {
        const char* what;
        glm::vec2 cameraStep;
        glm::vec3 lightStep;
        float blend;
        bool moved;
        glm::vec2 drawnCamera;  // offsets from the tick's start
        glm::vec3 drawnLight;
    } cases[] = {
        {"a walk", {1.0f, -0.5f}, {0.5f, 1.0f, 3.0f}, 0.25f, true, {0.25f, -0.125f}, {0.125f, 0.25f, 0.75f}},
        {"two units is still a step",
         {2.0f, 2.0f},
         {-2.0f, 0.0f, 0.0f},
         0.5f,
         true,
         {1.0f, 1.0f},
         {-1.0f, 0, 0}},
        {"a respawn jumps", {2.5f, 0.0f}, {0.0f, -3.0f, 0.0f}, 0.5f, true, {2.5f, 0.0f}, {0.0f, -3.0f, 0.0f}},
        {"the latest tick is drawn as it is",
         {1.0f, 1.0f},
         {1.0f, 1.0f, 0.0f},
         1.0f,
         false,
         {1, 1},
         {1, 1, 0}},
    };
    for (const auto& c : cases) {
        Graphics::Camera camera;
        camera.targetX = 10.0f;
        camera.targetY = 20.0f;
        glm::vec3 light(10.0f, 20.0f, -1.0f);
        const glm::vec2 start(camera.targetX, camera.targetY);
        const glm::vec3 lightStart = light;
        Graphics::InterpolatedView view;
        view.BeginTick(camera, light);
        camera.targetX += c.cameraStep.x;
        camera.targetY += c.cameraStep.y;
        light += c.lightStep;
        const glm::vec3 simulatedLight = light;

        EXPECT_EQ(view.Begin(camera, light, c.blend), c.moved) << c.what;
        EXPECT_FLOAT_EQ(camera.targetX - start.x, c.drawnCamera.x) << c.what;
        EXPECT_FLOAT_EQ(camera.targetY - start.y, c.drawnCamera.y) << c.what;
        for (int axis = 0; axis < 3; ++axis) {
            EXPECT_FLOAT_EQ(light[axis] - lightStart[axis], c.drawnLight[axis]) << c.what << " axis " << axis;
        }
        const bool drawnElsewhere = c.drawnCamera != c.cameraStep || c.drawnLight != c.lightStep;
        EXPECT_EQ(view.End(camera, light), drawnElsewhere) << c.what;
        EXPECT_EQ(camera.targetX, start.x + c.cameraStep.x) << c.what;
        EXPECT_EQ(camera.targetY, start.y + c.cameraStep.y) << c.what;
        EXPECT_EQ(light, simulatedLight) << c.what;
    }
}

TEST(InterpolatedView, BeforeAnyTickNothingIsMoved) {
    Graphics::Camera camera;
    camera.targetX = 3.0f;
    glm::vec3 light(3.0f, 0.0f, 0.0f);
    Graphics::InterpolatedView view;
    EXPECT_FALSE(view.Begin(camera, light, 0.5f));
    EXPECT_EQ(camera.targetX, 3.0f);
    EXPECT_FALSE(view.End(camera, light));
}

}  // namespace
