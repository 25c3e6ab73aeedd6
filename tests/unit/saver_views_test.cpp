// The full-screen saver on real desktops, through the fake: one view per
// monitor, followed as monitors come and go, nothing drawn while the display is off, and the end when another
// program takes the activation.
//
// A small GL probe stands in for the GL library's viewport, scissor and
// projection calls (the unit tests have no GL context), so that the views a
// frame was drawn in can be read back.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "shell/window_registry.h"
#include "platform/fake/fake_monitors.h"
#include "platform/fake/fake_platform.h"
#include "platform/fake/fake_queue.h"
#include "platform/fake/fake_window.h"
#include "saver/saver.h"

namespace {

// A GL rectangle: x, y from the bottom of the window, width, height.
using Rect = std::array<int, 4>;
struct Viewport {
    Rect rect;
    double aspect;  // of the projection set for it
};

bool probing = false;
std::vector<Viewport> viewports;  // since the last buffer swap
std::vector<Rect> scissors;

}  // namespace

void GLAPIENTRY glViewport(GLint x, GLint y, GLsizei w, GLsizei h) {
    if (probing) viewports.push_back({{x, y, w, h}, 0.0});
}
void GLAPIENTRY glScissor(GLint x, GLint y, GLsizei w, GLsizei h) {
    if (probing) scissors.push_back({x, y, w, h});
}
void GLAPIENTRY gluPerspective(GLdouble, GLdouble aspect, GLdouble, GLdouble) {
    if (probing && !viewports.empty()) viewports.back().aspect = aspect;
}

namespace {

class SaverViewsTest : public ::testing::Test {
protected:
    void SetUp() override {
        fake::Reset();
        ClearWindowRegistry();
        steps.clear();
        swaps = 0;
        probing = true;
        fake::OnSwapBuffers([this] {
            ++swaps;
            lastViewports = std::exchange(viewports, {});
            lastScissors = std::exchange(scissors, {});
            for (auto& [at, action] : steps)
                if (Frames() == at) action();
        });
    }
    void TearDown() override {
        probing = false;
        fake::Reset();
        ClearWindowRegistry();
    }

    int Frames() const { return swaps - 1; }  // the frames shown, less the loading picture
    void AtFrame(int frame, std::function<void()> step) { steps.emplace_back(frame, std::move(step)); }

    int Run(SaverTarget target) {
        SaverOptions options;
        options.target = target;
        options.delayMicroseconds = 0;
        std::string error;
        return RunSaver(GetModuleHandleA(nullptr), options, error);
    }

    // Runs /s over these monitors for three frames; the views of the last.
    void RunCovering(const std::vector<fake::FakeMonitor>& monitors) {
        SetUp();
        fake::SetMonitors(monitors);
        AtFrame(3, [] { fake::PostToQueue(fake::LastCreatedWindow(), WM_KEYDOWN, VK_SPACE, 0); });
        ASSERT_EQ(Run(SaverTarget::CoverScreen), 0);
        ASSERT_EQ(Frames(), 3);
    }

    // The last frame drew one view per monitor of this layout, each with its
    // monitor's aspect and only inside its monitor.
    void ExpectViewsOf(const std::vector<fake::FakeMonitor>& layout) {
        const RECT screen = fake::VirtualScreen();
        std::vector<Rect> expected;
        for (const fake::FakeMonitor& m : layout) {
            const int w = m.rect.right - m.rect.left, h = m.rect.bottom - m.rect.top;
            const Rect view = {m.rect.left - screen.left, screen.bottom - m.rect.bottom, w, h};
            expected.push_back(view);
            const bool drawn = std::any_of(lastViewports.begin(), lastViewports.end(), [&](const Viewport& v) {
                return v.rect == view && std::abs(v.aspect - double(w) / h) < 1e-9;
            });
            EXPECT_TRUE(drawn) << view[0] << "," << view[1] << " " << w << "x" << h;
        }
        std::vector<Rect> inside = lastScissors;
        std::sort(expected.begin(), expected.end());
        std::sort(inside.begin(), inside.end());
        EXPECT_EQ(inside, expected);
    }

    std::vector<std::pair<int, std::function<void()>>> steps;
    int swaps = 0;
    std::vector<Viewport> lastViewports;
    std::vector<Rect> lastScissors;
};

TEST_F(SaverViewsTest, EachMonitorGetsAViewOfItsOwnRectangleAndAspect) {
    const std::vector<std::vector<fake::FakeMonitor>> layouts = {
        {{{0, 0, 1920, 1080}, true}, {{-1280, -200, 0, 824}, false}},
        {{{-1920, 360, 0, 1440}, false}, {{0, 0, 2560, 1440}, true}, {{2560, -480, 3640, 1440}, false}},
    };
    for (const auto& layout : layouts) {
        SCOPED_TRACE(layout.size());
        RunCovering(layout);
        ExpectViewsOf(layout);
    }
}

TEST_F(SaverViewsTest, MonitorsPluggedInAndOutWhileItRunsAreFollowed) {
    const std::vector<fake::FakeMonitor> two = {{{0, 0, 1920, 1080}, true}, {{1920, -200, 3200, 824}, false}};
    AtFrame(1, [&] { fake::ChangeMonitors(two); });
    AtFrame(2, [&] {
        ExpectViewsOf(two);
        fake::ChangeMonitors({{{0, 0, 1280, 1024}, true}});
    });
    AtFrame(3, [] { fake::PostToQueue(fake::LastCreatedWindow(), WM_KEYDOWN, VK_SPACE, 0); });
    ASSERT_EQ(Run(SaverTarget::CoverScreen), 0);
    ASSERT_EQ(Frames(), 3);
    ASSERT_FALSE(lastViewports.empty());
    EXPECT_EQ(lastViewports.back().rect, (Rect{0, 0, 1280, 1024}));
    EXPECT_DOUBLE_EQ(lastViewports.back().aspect, 1280.0 / 1024.0);
    EXPECT_TRUE(lastScissors.empty());
}

TEST_F(SaverViewsTest, OneMonitorDrawsTheOneViewOfTheWholeWindow) {
    RunCovering({{{0, 0, 1920, 1080}, true}});
    ASSERT_EQ(lastViewports.size(), 1u);
    EXPECT_EQ(lastViewports[0].rect, (Rect{0, 0, 1920, 1080}));
    EXPECT_DOUBLE_EQ(lastViewports[0].aspect, 1920.0 / 1080.0);
    EXPECT_TRUE(lastScissors.empty());
}

TEST_F(SaverViewsTest, NoFrameWhileTheDisplayIsOffAndItStillEnds) {
    int framesAtWait = -1;
    int waits = 0;
    AtFrame(2, [] { fake::SetDisplayState(2); });  // dimmed: still drawn
    AtFrame(3, [] { fake::SetDisplayState(0); });
    fake::OnWaitMessage([&] {
        framesAtWait = Frames();
        ++waits;
        fake::SetDisplayState(1);
    });
    AtFrame(5, [] { fake::PostToQueue(fake::LastCreatedWindow(), WM_KEYDOWN, VK_SPACE, 0); });
    EXPECT_EQ(Run(SaverTarget::CoverScreen), 0);
    EXPECT_EQ(waits, 1) << "dimmed is drawn";
    EXPECT_EQ(framesAtWait, 3) << "waited for a message, no frame drawn";
    EXPECT_EQ(Frames(), 5) << "frames resumed when the display came on";
    EXPECT_EQ(fake::LivePowerNotificationCount(), 0);

    // A key while the display is off ends the saver without another frame.
    SetUp();
    AtFrame(2, [] { fake::SetDisplayState(0); });
    fake::OnWaitMessage([] { fake::PostToQueue(fake::LastCreatedWindow(), WM_KEYDOWN, VK_SPACE, 0); });
    EXPECT_EQ(Run(SaverTarget::CoverScreen), 0);
    EXPECT_EQ(Frames(), 2);
    EXPECT_FALSE(fake::WaitMessageWouldBlock());
}

TEST_F(SaverViewsTest, LosingTheActivationEndsOnlyTheFullScreenSaver) {
    AtFrame(2, [] {
        fake::SendToWindow(fake::LastCreatedWindow(), WM_ACTIVATEAPP, TRUE, 0);
        fake::SendToWindow(fake::LastCreatedWindow(), WM_ACTIVATEAPP, FALSE, 0);
    });
    EXPECT_EQ(Run(SaverTarget::CoverScreen), 0);
    EXPECT_EQ(Frames(), 2);

    SetUp();
    AtFrame(2, [] { fake::SendToWindow(fake::LastCreatedWindow(), WM_ACTIVATEAPP, FALSE, 0); });
    AtFrame(4, [] { RequestSaverStop(); });
    EXPECT_EQ(Run(SaverTarget::OwnWindow), 0);
    EXPECT_EQ(Frames(), 4);
}

}  // namespace
