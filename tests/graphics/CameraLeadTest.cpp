// The camera's look ahead of the player: how far, how fast it comes, and the level's edges.
#include <gtest/gtest.h>

#include <glm/glm.hpp>

#include "graphics/CameraLead.h"

namespace {

using Graphics::CameraLead;

constexpr float kTickMs = 1000.0f / 60.0f;

// The target after the player has moved at `velocity` for `ticks` ticks from `start`.
glm::vec2 After(int ticks, glm::vec2 start, glm::vec2 velocity, const CameraLead::Bounds* bounds,
                CameraLead& lead) {
    glm::vec2 target = start;
    glm::vec2 player = start;
    for (int i = 0; i < ticks; ++i) {
        player += velocity * (kTickMs / 1000.0f);
        target = lead.Step(player, velocity, kTickMs, bounds);
    }
    return target - player;
}

TEST(CameraLead, LooksAheadInTheMotionFartherWhenFasterAndComesInGently) {
    const CameraLead::Bounds wide{-1000.0f, -1000.0f, 1000.0f, 1000.0f};
    const struct {
        const char* what;
        glm::vec2 velocity;
        int ticks;
        glm::vec2 lead;  // the target's offset from the player
        float tolerance;
    } kCases[] = {
        {"at rest", {0.0f, 0.0f}, 120, {0.0f, 0.0f}, 1e-6f},
        {"a slow walk right", {4.0f, 0.0f}, 240, {1.6f, 0.0f}, 0.01f},
        {"a fast fall down, held to the most", {0.0f, -20.0f}, 240, {0.0f, -5.0f}, 0.01f},
        {"a diagonal, the most along it", {15.0f, 15.0f}, 240, {3.5355f, 3.5355f}, 0.01f},
        {"one tick of a fast fall: a small step, not a jump", {0.0f, 20.0f}, 1, {0.0f, 0.40f}, 0.01f},
    };
    for (const auto& c : kCases) {
        CameraLead lead;
        const glm::vec2 offset = After(c.ticks, {50.0f, 50.0f}, c.velocity, &wide, lead);
        EXPECT_NEAR(offset.x, c.lead.x, c.tolerance) << c.what;
        EXPECT_NEAR(offset.y, c.lead.y, c.tolerance) << c.what;
    }
}

TEST(CameraLead, EasesBackWhenThePlayerStopsAndTheSameAtEveryFrameRate) {
    CameraLead atSixty;
    After(120, {0.0f, 0.0f}, {20.0f, 0.0f}, nullptr, atSixty);
    EXPECT_NEAR(atSixty.GetLead().x, 5.0f, 0.01f);
    CameraLead fast = atSixty;
    // Half a second at rest, at 60 and at 1000 steps a second.
    for (int i = 0; i < 30; ++i) {
        atSixty.Step({10.0f, 0.0f}, {0.0f, 0.0f}, kTickMs, nullptr);
    }
    for (int i = 0; i < 500; ++i) {
        fast.Step({10.0f, 0.0f}, {0.0f, 0.0f}, 1.0f, nullptr);
    }
    EXPECT_LT(atSixty.GetLead().x, 1.0f);
    EXPECT_GT(atSixty.GetLead().x, 0.1f) << "it eases back, it does not snap";
    EXPECT_NEAR(fast.GetLead().x, atSixty.GetLead().x, 1e-3f);
}

TEST(CameraLead, NeverLeadsPastTheLevelsEdge) {
    const CameraLead::Bounds level{0.0f, 0.0f, 30.0f, 20.0f};
    const struct {
        const char* what;
        glm::vec2 start;
        glm::vec2 velocity;
        glm::vec2 target;  // where the camera looks at the end
    } kCases[] = {
        {"falling at the floor", {10.0f, 4.0f}, {0.0f, -20.0f}, {10.0f, 0.0f}},
        {"flying at the right wall", {27.0f, 10.0f}, {20.0f, 0.0f}, {30.0f, 10.0f}},
        {"outside the map, the player itself stays in view", {35.0f, 10.0f}, {20.0f, 0.0f}, {35.0f, 10.0f}},
    };
    for (const auto& c : kCases) {
        CameraLead lead;
        glm::vec2 target;
        for (int i = 0; i < 60; ++i) {
            target = lead.Step(c.start, c.velocity, kTickMs, &level);
        }
        EXPECT_NEAR(target.x, c.target.x, 1e-4f) << c.what;
        EXPECT_NEAR(target.y, c.target.y, 1e-4f) << c.what;
    }
}

}  // namespace
