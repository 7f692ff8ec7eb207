// Draws bars on a real OpenGL 3.3 context and checks where the picture changed.
#include <SDL.h>
#include <epoxy/gl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "editor/tweakbar/TweakBar.h"
#include "support/TestDisplay.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
const std::uint8_t kClear[3] = {10, 200, 10};
const std::uint8_t kBarColour[3] = {200, 40, 40};

struct Rect {
    int left, top, right, bottom;  // right and bottom excluded
};

// The bar's window, and the part of it below the title bar.
constexpr Rect kBar = {100, 120, 400, 320};
constexpr Rect kBarBody = {100, 150, 400, 320};
constexpr Rect kFarAway = {500, 360, 800, 600};

bool flag = true;
std::int32_t count = 7;
float speed = 2.5f;
std::string name = "crate";
template <typename T>
void Get(void* value, void* source) {
    *static_cast<T*>(value) = *static_cast<T*>(source);
}
template <typename T>
void Set(const void* value, void* target) {
    *static_cast<T*>(target) = *static_cast<const T*>(value);
}
void Press(void*) {}

class TweakBarRender : public ::testing::Test {
protected:
    void SetUp() override {
        std::string why;
        window = ZELMTest::OpenTestWindow("tweak bar test", kWidth, kHeight, SDL_WINDOW_HIDDEN, why);
        if (window == nullptr) {
            GTEST_SKIP() << why;
        }
        context = SDL_GL_CreateContext(window);
        if (context == nullptr || epoxy_gl_version() < 33) {
            GTEST_SKIP() << "no OpenGL 3.3 core context: " << SDL_GetError();
        }
        ASSERT_EQ(TwInit(TW_OPENGL_CORE, window), 1) << TwGetLastError();
        ASSERT_EQ(TwWindowSize(kWidth, kHeight), 1);
        MakeProbeBar();
    }

    void TearDown() override {
        TwTerminate();
        if (context != nullptr) {
            SDL_GL_DeleteContext(context);
        }
        if (window != nullptr) {
            SDL_DestroyWindow(window);
        }
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    void MakeProbeBar() {
        ASSERT_NE(TwNewBar("Probe"), nullptr);
        ASSERT_EQ(
            TwDefine("Probe position='100 120' size='300 200' color='200 40 40' alpha=255 label='Probe bar'"),
            1)
            << TwGetLastError();
        TwBar* bar = TwGetBarByName("Probe");
        ASSERT_EQ(TwAddVarCB(bar, "flag", TW_TYPE_BOOLCPP, Set<bool>, Get<bool>, &flag, nullptr), 1);
        ASSERT_EQ(
            TwAddVarCB(bar, "count", TW_TYPE_INT32, Set<std::int32_t>, Get<std::int32_t>, &count, nullptr),
            1);
        ASSERT_EQ(
            TwAddVarCB(bar, "speed", TW_TYPE_FLOAT, nullptr, Get<float>, &speed, "group=Motion precision=1"),
            1);
        ASSERT_EQ(
            TwAddVarCB(bar, "name", TW_TYPE_STDSTRING, Set<std::string>, Get<std::string>, &name, nullptr),
            1);
        ASSERT_EQ(TwAddSeparator(bar, nullptr, nullptr), 1);
        ASSERT_EQ(TwAddButton(bar, "go", Press, nullptr, "label='Add Component'"), 1);
    }

    // Two frames, as a game draws them; the picture is the last one.
    void Draw() {
        for (int frame = 0; frame < 2; ++frame) {
            glViewport(0, 0, kWidth, kHeight);
            glClearColor(kClear[0] / 255.0f, kClear[1] / 255.0f, kClear[2] / 255.0f, 1.0f);
            glClear(GL_COLOR_BUFFER_BIT);
            ASSERT_EQ(TwDraw(), 1);
        }
        pixels.assign(static_cast<std::size_t>(kWidth * kHeight * 4), 0);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }

    // From the top left, as the bars are placed.
    const std::uint8_t* At(int x, int y) const {
        return &pixels[static_cast<std::size_t>(((kHeight - 1 - y) * kWidth + x) * 4)];
    }

    static bool Is(const std::uint8_t* pixel, const std::uint8_t* colour) {
        for (int channel = 0; channel < 3; ++channel) {
            if (std::abs(pixel[channel] - colour[channel]) > 2) {
                return false;
            }
        }
        return true;
    }

    double ShareNotCleared(const Rect& rect) const {
        int changed = 0;
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = rect.left; x < rect.right; ++x) {
                changed += Is(At(x, y), kClear) ? 0 : 1;
            }
        }
        return static_cast<double>(changed) / ((rect.right - rect.left) * (rect.bottom - rect.top));
    }

    double ShareOfBarColour(const Rect& rect) const {
        int coloured = 0;
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = rect.left; x < rect.right; ++x) {
                coloured += Is(At(x, y), kBarColour) ? 1 : 0;
            }
        }
        return static_cast<double>(coloured) / ((rect.right - rect.left) * (rect.bottom - rect.top));
    }

    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
    std::vector<std::uint8_t> pixels;
};

TEST_F(TweakBarRender, ABarCoversItsRectangleInItsColourAndNothingElse) {
    Draw();
    EXPECT_GT(ShareNotCleared(kBar), 0.99);
    EXPECT_GT(ShareOfBarColour(kBarBody), 0.3);
    EXPECT_EQ(ShareNotCleared(kFarAway), 0.0);
    EXPECT_EQ(ShareNotCleared({0, 0, 90, 110}), 0.0);
}

TEST_F(TweakBarRender, AnIconifiedBarKeepsOnlyItsTitleAndAnInvisibleOneNothing) {
    ASSERT_EQ(TwDefine("Probe iconified=true"), 1);
    Draw();
    EXPECT_LT(ShareNotCleared(kBarBody), 0.01);
    EXPECT_GT(ShareNotCleared({100, 120, 400, 135}), 0.5);

    ASSERT_EQ(TwDefine("Probe iconified=false visible=false"), 1);
    Draw();
    EXPECT_EQ(ShareNotCleared(kBar), 0.0);

    const std::int32_t visible = 1;
    ASSERT_EQ(TwSetParam(TwGetBarByName("Probe"), nullptr, "visible", TW_PARAM_INT32, 1, &visible), 1);
    Draw();
    EXPECT_GT(ShareNotCleared(kBar), 0.99);
}

TEST_F(TweakBarRender, ABarMovedByTheProgramIsDrawnAtItsNewPlace) {
    Draw();
    const std::int32_t position[2] = {450, 300};
    ASSERT_EQ(TwSetParam(TwGetBarByName("Probe"), nullptr, "position", TW_PARAM_INT32, 2, position), 1);
    Draw();
    EXPECT_EQ(ShareNotCleared(kBar), 0.0);
    EXPECT_GT(ShareNotCleared({450, 300, 750, 500}), 0.99);
    std::int32_t read[2] = {0, 0};
    ASSERT_EQ(TwGetParam(TwGetBarByName("Probe"), nullptr, "position", TW_PARAM_INT32, 2, read), 2);
    EXPECT_EQ(read[0], 450);
    EXPECT_EQ(read[1], 300);
}

TEST_F(TweakBarRender, InitTwiceIsRefusedAndEventsOfOtherSdlVersionsAreIgnored) {
    EXPECT_EQ(TwInit(TW_OPENGL_CORE, window), 0);
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    EXPECT_EQ(TwEventSDL(&event, 1, 2), 0);
    EXPECT_EQ(TwEventSDL(&event, 2, 0), 0);
}

}  // namespace
