// The camera's basis, projections and frustum, and the service's camera bindings.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

#include "engine/Service.h"
#include "graphics/Camera.h"
#include "graphics/D3DMath.h"
#include "graphics/GraphicsService.h"
#include "utilities/Dynamic.h"
#include "support/GraphicsFrame.h"

namespace {

constexpr float kTolerance = 1e-5f;

TEST(Camera, ResetLooksAtTheOriginFromSeventeenUnitsInFront) {
    Graphics::Camera camera;
    camera.targetX = 4.0f;
    camera.offsetA = 2.0f;
    camera.SetProjection(0.78539816f, 800.0f / 600.0f);
    camera.Reset();
    EXPECT_EQ(camera.GetEye(), glm::vec3(0.0f, 0.0f, -17.0f));
    EXPECT_EQ(camera.GetRight(), glm::vec3(1.0f, 0.0f, 0.0f));
    EXPECT_EQ(camera.GetUp(), glm::vec3(0.0f, 1.0f, 0.0f));
    EXPECT_EQ(camera.GetLook(), glm::vec3(0.0f, 0.0f, 1.0f));
    // Reset clears the projection along with the view: the view is a plain move of 17 along z.
    const glm::mat4& view = camera.GetView();
    EXPECT_FLOAT_EQ(Graphics::At(view, 4, 3), 17.0f);
    EXPECT_FLOAT_EQ(Graphics::At(view, 1, 1), 1.0f);
    EXPECT_EQ(camera.GetProjection(), glm::mat4(1.0f));
}

TEST(Camera, ProjectionsAreLeftHandedWithDepthFromZeroToOne) {
    const glm::mat4 p = Graphics::PerspectiveFovLH(0.78539816f, 4.0f / 3.0f, 1.0f, 1000.0f);
    EXPECT_NEAR(Graphics::At(p, 2, 2), 2.4142135f, kTolerance);
    EXPECT_NEAR(Graphics::At(p, 1, 1), 1.8106601f, kTolerance);
    EXPECT_FLOAT_EQ(Graphics::At(p, 3, 4), 1.0f);
    const glm::vec4 nearPoint = Graphics::TransformPoint({0.0f, 0.0f, 1.0f}, p);
    const glm::vec4 farPoint = Graphics::TransformPoint({0.0f, 0.0f, 1000.0f}, p);
    EXPECT_NEAR(nearPoint.z / nearPoint.w, 0.0f, kTolerance);
    EXPECT_NEAR(farPoint.z / farPoint.w, 1.0f, kTolerance);
    // The frame's 80 degrees: the top edge of the view rises 40 degrees from the look direction.
    const glm::mat4 frame = Graphics::PerspectiveFovLH(1.3962634f, 4.0f / 3.0f, 1.0f, 1000.0f);
    const glm::vec4 edge = Graphics::TransformPoint({0.0f, std::tan(0.6981317f) * 10.0f, 10.0f}, frame);
    EXPECT_NEAR(edge.y / edge.w, 1.0f, 1e-4f);
}

TEST(Camera, FrustumPlanesBoundWhatTheProjectionSees) {
    Graphics::Camera camera;
    camera.Reset();
    camera.SetProjection(0.78539816f, 4.0f / 3.0f);
    const auto& planes = camera.GetPlanes();
    // Near: z >= -16 (one unit past the eye); far: z <= 983.
    EXPECT_NEAR(planes[0].z, 1.0f, kTolerance);
    EXPECT_NEAR(planes[0].w, 16.0f, 1e-3f);
    EXPECT_NEAR(planes[1].z, -1.0f, kTolerance);
    EXPECT_NEAR(planes[1].w, 983.0f, 0.1f);
    for (const glm::vec4& plane : planes) {
        EXPECT_NEAR(glm::length(glm::vec3(plane)), 1.0f, kTolerance);
    }

    EXPECT_TRUE(camera.InFrustum({0.0f, 0.0f, 0.0f}));
    EXPECT_FALSE(camera.InFrustum({0.0f, 0.0f, -17.0f})) << "behind the near plane";
    EXPECT_FALSE(camera.InFrustum({0.0f, 0.0f, 990.0f})) << "past the far plane";
    // A cube at the origin's depth reaches back to 17.5 units from the eye, where the view is
    // 17.5 / 1.8106601 = 9.665 units to either side and 17.5 / 2.4142135 = 7.249 up and down; it
    // counts while any corner is inside.
    EXPECT_TRUE(camera.InFrustum({-10.1f, 0.0f, 0.0f}));
    EXPECT_FALSE(camera.InFrustum({-10.2f, 0.0f, 0.0f}));
    EXPECT_TRUE(camera.InFrustum({10.1f, 0.0f, 0.0f}));
    EXPECT_FALSE(camera.InFrustum({10.2f, 0.0f, 0.0f}));
    EXPECT_TRUE(camera.InFrustum({0.0f, 7.7f, 0.0f}));
    EXPECT_FALSE(camera.InFrustum({0.0f, -7.8f, 0.0f}));
}

TEST(Camera, OffsetsMoveTheEyeButNotWhatItLooksAt) {
    Graphics::Camera camera;
    camera.Reset();
    camera.targetX = 3.0f;
    camera.targetY = 5.0f;
    camera.distance = -8.0f;
    camera.offsetA = 1.0f;
    camera.offsetB = -2.0f;
    camera.Update(0.0f, nullptr);
    EXPECT_EQ(camera.GetPos(), glm::vec3(1.0f, 6.0f, -8.0f));
    EXPECT_EQ(camera.GetEye(), camera.GetPos());
    // The target projects to the middle of the picture.
    camera.SetProjection(1.3962634f, 4.0f / 3.0f);
    const glm::vec4 target = Graphics::TransformPoint({3.0f, 5.0f, 0.0f}, camera.GetViewProj());
    EXPECT_NEAR(target.x / target.w, 0.0f, kTolerance);
    EXPECT_NEAR(target.y / target.w, 0.0f, kTolerance);
    // The basis stays orthonormal.
    EXPECT_NEAR(glm::dot(camera.GetRight(), camera.GetUp()), 0.0f, kTolerance);
    EXPECT_NEAR(glm::dot(camera.GetUp(), camera.GetLook()), 0.0f, kTolerance);
    EXPECT_NEAR(glm::length(camera.GetRight()), 1.0f, kTolerance);
}

// Stands in for the input service: which keys are held.
class Keys : public ZELM::Service {
public:
    void Bind() override { DynamicBinder::Bind("KeyDown", this, &Keys::KeyDown); }
    void Init() override {}
    void Update(float) override {}
    bool KeyDown(std::string key) { return held.count(key) != 0; }
    std::set<std::string> held;
};

class HeadlessGraphics : public ::testing::Test {
protected:
    void SetUp() override {
        graphics.Bind();
        graphics.Init();
        caller.SetName("Engine");
    }
    Graphics::GraphicsService graphics{true};
    ZELM::DynamicCaller caller;
};

TEST_F(HeadlessGraphics, EveryFrameFramesTheTargetFromEightUnitsWithTheEyeOneUnitUp) {
    ZELMTest::RunGraphicsFrame(graphics, 16.0f);
    caller.Call("SetCamTargetX", 10.0f);
    caller.Call("SetCamTargetY", 4.0f);
    caller.Call("SetCamDistance", -20.0f);
    caller.Call("SetCamOffsetX", 3.0f);
    caller.Call("SetCamOffsetY", 2.0f);
    EXPECT_EQ(caller.Call<glm::vec3>("GetCamPos"), glm::vec3(12.0f, 7.0f, -20.0f));
    EXPECT_FLOAT_EQ(caller.Call<float>("GetCamRadius"), 20.0f);
    EXPECT_FLOAT_EQ(graphics.GetCamera().distance, -20.0f) << "\"Cam radius\" keeps the sign";
    ZELMTest::RunGraphicsFrame(graphics, 16.0f);
    EXPECT_EQ(caller.Call<glm::vec3>("GetCamPos"), glm::vec3(12.0f, 5.0f, -8.0f));
    EXPECT_FLOAT_EQ(caller.Call<float>("GetCamRadius"), 8.0f);
    // The pick ray's matrices are the camera's, row by row.
    const std::array<float, 16> view = caller.Call<std::array<float, 16>>("GetViewMatrix");
    EXPECT_EQ(Graphics::MatrixFromRows(view), graphics.GetCamera().GetView());
    const std::array<float, 16> projection = caller.Call<std::array<float, 16>>("GetProjectionMatrix");
    EXPECT_FLOAT_EQ(projection[11], 1.0f) << "_34 of a left-handed projection";
    EXPECT_TRUE(caller.Call<bool>("InFrustum", glm::vec3(10.0f, 4.0f, 0.0f)));
    EXPECT_FALSE(caller.Call<bool>("InFrustum", glm::vec3(40.0f, 4.0f, 0.0f)));
}

TEST_F(HeadlessGraphics, ResetCameraUsesFortyFiveDegrees) {
    caller.Call("ResetCamera");
    EXPECT_EQ(caller.Call<glm::vec3>("GetCamPos"), glm::vec3(0.0f, 0.0f, -17.0f));
    // The reset clears every matrix after the 45 degree projection; the frame then draws at 80.
    EXPECT_EQ(graphics.GetCamera().GetProjection(), glm::mat4(1.0f));
    ZELMTest::RunGraphicsFrame(graphics, 16.0f);
    const std::array<float, 16> projection = caller.Call<std::array<float, 16>>("GetProjectionMatrix");
    EXPECT_NEAR(projection[5], 1.0f / std::tan(0.6981317f), 1e-5f);
}

TEST_F(HeadlessGraphics, WithoutAPlayerTheKeysPanTheCameraAtItsDistancePerSecond) {
    Keys keys;
    keys.Bind();
    ZELMTest::RunGraphicsFrame(graphics, 0.0f);
    keys.held = {"W", "D"};
    ZELMTest::RunGraphicsFrame(graphics, 1000.0f);
    EXPECT_FLOAT_EQ(graphics.GetCamTargetY(), 8.0f);
    EXPECT_FLOAT_EQ(graphics.GetCamTargetX(), 8.0f);
    keys.held = {"S"};
    ZELMTest::RunGraphicsFrame(graphics, 500.0f);
    EXPECT_FLOAT_EQ(graphics.GetCamTargetY(), 4.0f);
}

TEST_F(HeadlessGraphics, LightsIntensityAndTheTextLineLiveInTheService) {
    EXPECT_FLOAT_EQ(caller.Call<float>("GetIntensity"), 1.0f);
    caller.Call("SetIntensity", 1.2f);
    EXPECT_FLOAT_EQ(graphics.GetIntensity(), 1.2f);
    caller.Call("SetP1Light", glm::vec3(1.0f, 2.0f, 3.0f));
    EXPECT_EQ(caller.Call<glm::vec3>("GetP1Light"), glm::vec3(1.0f, 2.0f, 3.0f));
    caller.Call("AddLightInst", Graphics::LightInst{4.0f, 5.0f, 6.0f});
    ASSERT_EQ(graphics.GetLights().size(), 1u);
    EXPECT_FLOAT_EQ(graphics.GetLights()[0].y, 5.0f);
    EXPECT_EQ(caller.Call<int>("GetScreenWidth"), 800);
    EXPECT_EQ(caller.Call<int>("GetScreenHeight"), 600);

    Graphics::Text* line = caller.Call<Graphics::Text*>("AddText");
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->text, "[put text here]");
    EXPECT_EQ(line->x, 0);
    EXPECT_EQ(line->width, 300);
    EXPECT_FLOAT_EQ(line->scale, 1.0f);
    EXPECT_FALSE(caller.Call<bool>("PostDraw"));
    ZELMTest::RunGraphicsFrame(graphics, 16.0f);
    EXPECT_TRUE(caller.Call<bool>("PostDraw")) << "after the main pass";
}

}  // namespace
