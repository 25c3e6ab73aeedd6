// The scriptable fake of the Win32 subset, for unit tests.
//
// Platform: none. The fake keeps the state Windows keeps, behaves as the
// Linux backend does where both model Windows (platform/common/), and lets a
// test drive any failure path without a display, a GL driver or a sound
// device: each subset function consults the script, by its own name, before
// it answers. Limitations: no window is shown, nothing is drawn, and the
// message queue holds only what was posted (and the paint request of a shown
// window).
//
// Fake implementations use ShouldFail()/Answer(); tests use the rest.
// Reset() returns everything to the start state. What the user was shown
// and heard is kept by the areas that show it (fake_message_box.cpp,
// fake_sound.cpp); no call is recorded.
//
// Handles are opaque numbers cast to the handle type, never dereferenced.
// Each area hands out its own range so that handles never collide: windows
// 0x1000+, device contexts 0x2000+, GL contexts 0x3000+, dialogs 0x4000+,
// fonts 0x5000+, power notifications 0x7000+, the module 0x400000.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/win32.h"

namespace fake {

// Forget every scripted failure and answer, and put all emulated platform
// state (windows, queue, clocks, display mode) back to its start values.
void Reset();

// Fake areas that keep state of their own register how to reset it.
void AddResetHook(std::function<void()> hook);

// Make the next `times` calls of the function `name` fail (-1: every call
// from now on).
void FailCall(const std::string& name, int times = -1);
// Consumed by fake implementations: true when this call is to fail.
bool ShouldFail(const std::string& name);

// Scripted answers, taken in order; when none is queued `fallback` is used.
void QueueAnswer(const std::string& name, int64_t value);
int64_t Answer(const std::string& name, int64_t fallback);

// What the user was shown and heard, oldest first: each message box as
// "text|caption|flags|owner" (flags and owner in hex), each sound request as
// "name|flags" (a stop request names "(null)", a numbered sound "#id").
std::vector<std::string> MessageBoxesShown();
std::vector<std::string> SoundsPlayed();
// Runs `hook` when a message box is shown, before it is answered, so that a
// test can look at what the user sees at that moment. An empty function
// removes it.
void OnMessageBox(std::function<void()> hook);

// The system commands that reached the default window handling and that
// Windows carries out itself: SC_SCREENSAVE (the screen saver starts) and
// SC_MONITORPOWER (the display's power changes), oldest first.
std::vector<WPARAM> SystemCommandsCarriedOut();

// Text helpers: "(null)" for a null pointer; "0x" and lower-case hex.
std::string Text(const char* text);
std::string Hex(uint64_t value);

}  // namespace fake
