// The scene's set-up, update and teardown against the fake platform, with the
// clock moved by hand. GL calls go nowhere (no context), so textures are
// given by hand where a test needs real names.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/fake/fake_clock.h"
#include "platform/fake/fake_font.h"
#include "platform/fake/fake_platform.h"
#include "scene/camera_path.h"
#include "scene/scene_application.h"

namespace {

class SceneProbe : public SceneApplication {
public:
    using GLWindow::fieldOfView;
    using SceneApplication::alarm;
    using SceneApplication::blinkStart;
    using SceneApplication::center;
    using SceneApplication::easeDivisor;
    using SceneApplication::eye;
    using SceneApplication::font;
    using SceneApplication::fps;
    using SceneApplication::frameCount;
    using SceneApplication::frameSeconds;
    using SceneApplication::room;
    using SceneApplication::sceneTime;
    using SceneApplication::scientist;
    using SceneApplication::swapTexture;
    using SceneApplication::up;
    using SceneApplication::warden;

    // The material that blinks, or null when the room has none.
    Material* BlinkingMaterial() {
        for (int i = 0; room && i < room->materialCount; ++i)
            if (std::strcmp(room->materials[i].textureFile, "t31.jpg") == 0) return &room->materials[i];
        return nullptr;
    }
};

// Each test starts with a scene initialised without sound; the clock then
// reads 500 ms (the loading pause).
class SceneTest : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        // One tick per millisecond, so that readings are exact and the
        // boundaries of the frame-rate window and the blink can be hit.
        fake::SetCounterFrequency(1000);
        scene = std::make_unique<SceneProbe>();
        scene->SetSound(false);
        ASSERT_TRUE(scene->Init());
    }
    void TearDown() override {
        scene->Shutdown();
        fake::Reset();
    }

    // Moves the clock on and runs one update.
    void Step(double milliseconds) {
        fake::AdvanceClocks(static_cast<uint64_t>(milliseconds));
        scene->Update();
    }

    std::unique_ptr<SceneProbe> scene;
};

TEST_F(SceneTest, CameraPathStartsAboveTheRoomLookingDown) {
    const CameraTargets start = CameraPathAt(0.0);
    const double expected[] = {0, 25, 31, 0, 2, 1, 0};
    const double actual[] = {start.eye[0], start.eye[1], start.eye[2], start.up[0], start.up[1], start.up[2], start.swing};
    for (int i = 0; i < 7; ++i) EXPECT_DOUBLE_EQ(actual[i], expected[i]) << i;
}

TEST_F(SceneTest, InitPlaysTheWelcomeToItsEndOrWaitsHalfASecondThenLoopsTheAlarm) {
    for (bool sound : {false, true}) {
        SCOPED_TRACE(sound ? "sound" : "no sound");
        scene->Shutdown();
        fake::Reset();
        scene->SetSound(sound);
        const DWORD start = timeGetTime();
        ASSERT_TRUE(scene->Init());
        EXPECT_EQ(timeGetTime() - start, sound ? 0u : 500u);
        EXPECT_EQ(fake::SoundsPlayed(), sound ? (std::vector<std::string>{"WELCOME|0x40004", "ALERT|0x4000d"})
                                              : std::vector<std::string>{});
        ASSERT_TRUE(scene->room && scene->warden && scene->scientist);
        EXPECT_TRUE(scene->font);
    }
}

// Released once: the second Shutdown leaves alone a newer font that took the
// freed font's handle.
TEST_F(SceneTest, ShutdownTwiceReleasesEverythingOnceAndStopsTheSoundBothTimes) {
    ASSERT_EQ(fake::LiveFonts(), 1);
    scene->Shutdown();
    EXPECT_EQ(fake::LiveFonts(), 0);
    EXPECT_FALSE(scene->font || scene->room || scene->warden || scene->scientist);
    CreateFontA(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, nullptr);
    scene->Shutdown();
    EXPECT_EQ(fake::LiveFonts(), 1);
    EXPECT_EQ(fake::SoundsPlayed(), (std::vector<std::string>{"(null)|0x40", "(null)|0x40"}));
}

TEST_F(SceneTest, FirstUpdateMeasuresFromInitsLastReading) {
    scene->Shutdown();
    fake::AdvanceClocks(12000);  // time the timer counted before Init
    scene->Init();
    Step(20);
    EXPECT_NEAR(scene->frameSeconds, 0.020, 1e-9);
    EXPECT_NEAR(scene->sceneTime, 0.020, 1e-9);
    // One thousandth of the way from the start pose towards the path.
    EXPECT_NEAR(scene->eye[0], 30.0 + (0.0 - 30.0) / 1000.0, 1e-3);
    EXPECT_NEAR(scene->eye[1], 0.0 + (25.0 - 0.0) / 1000.0, 1e-3);
    EXPECT_NEAR(scene->eye[2], -45.0 + (31.0 + 45.0) / 1000.0, 1e-3);
}

TEST_F(SceneTest, FrameRateCountsWholeWindowsOnly) {
    for (int i = 0; i < 9; ++i) Step(100);
    EXPECT_EQ(scene->fps, 0);
    EXPECT_EQ(scene->frameCount, 9);
    Step(100);  // exactly 1000 ms: closes the window, counted in neither
    EXPECT_EQ(scene->fps, 9);
    EXPECT_EQ(scene->frameCount, 0);
    for (int i = 0; i < 4; ++i) Step(250);
    EXPECT_EQ(scene->fps, 3);
}

TEST_F(SceneTest, BlinkExchangesThePanelOnEachPhaseChangeOnly) {
    Material* panel = scene->BlinkingMaterial();
    ASSERT_NE(panel, nullptr);
    panel->texture = 31;
    scene->swapTexture = 131;
    const struct {
        double step;
        bool alarm;
        unsigned onPanel;
    } steps[] = {{500, false, 31},  // exactly 1000 ms since the cycle start: not yet
                 {1, true, 131},
                 {499, true, 131},  // exactly 1500 ms: the cycle goes on
                 {1, false, 31}};
    for (const auto& step : steps) {
        Step(step.step);
        EXPECT_EQ(scene->alarm, step.alarm);
        EXPECT_EQ(panel->texture, step.onPanel);
        EXPECT_EQ(scene->swapTexture, step.onPanel == 31 ? 131u : 31u);
    }
    EXPECT_NEAR(scene->blinkStart, 1501.0, 1e-6);
}

TEST_F(SceneTest, ALongFrameAcrossTheWholeBlinkExchangesNothing) {
    scene->swapTexture = 131;
    Step(1200);  // 1700 ms since the cycle start, in one frame
    EXPECT_FALSE(scene->alarm);
    EXPECT_EQ(scene->swapTexture, 131u);
}

TEST_F(SceneTest, WithoutTheBlinkingMaterialTheSwapTextureIsKept) {
    scene->room = std::make_unique<MS3DModel>();  // a room that failed to load
    scene->swapTexture = 131;
    Step(501);
    EXPECT_TRUE(scene->alarm);
    EXPECT_EQ(scene->swapTexture, 131u);
}

TEST_F(SceneTest, EasingLandsOnExactlyOneThenTracksThePath) {
    for (int updates = 0; scene->easeDivisor > 1.0 && updates < 1000; ++updates) Step(50);
    EXPECT_EQ(scene->easeDivisor, 1.0);
    EXPECT_NEAR(scene->sceneTime, 19.98, 0.05);
    Step(50);
    const CameraTargets targets = CameraPathAt(scene->sceneTime);
    EXPECT_FLOAT_EQ(scene->fieldOfView, static_cast<float>(70.0 + targets.swing));
    for (int i = 0; i < 3; ++i) {
        EXPECT_FLOAT_EQ(scene->eye[i], static_cast<float>(targets.eye[i]));
        EXPECT_FLOAT_EQ(scene->up[i], static_cast<float>(targets.up[i]));
        EXPECT_EQ(scene->center[i], 0.0f);
    }
}

TEST_F(SceneTest, FieldOfViewWidensWhileEasing) {
    Step(1000);
    // The divisor still read 1000 when the field of view was set.
    EXPECT_NEAR(scene->fieldOfView, 60.0 + CameraPathAt(scene->sceneTime).swing, 1e-4);
    EXPECT_DOUBLE_EQ(scene->easeDivisor, 950.0);
    Step(1000);
    EXPECT_NEAR(scene->fieldOfView, 60.0 + CameraPathAt(scene->sceneTime).swing + 0.5, 1e-4);
}

}  // namespace
