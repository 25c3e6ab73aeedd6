// The scriptable fake of the Win32 subset, for unit tests.
//
// Platform: none. Every subset function linked from platform/fake/ records
// its call here (name and arguments rendered as text) and consults the
// script before answering, so a test can drive any failure path without a
// display, a GL driver or a sound device. Limitations: no window is shown,
// nothing is drawn, and the message queue holds only what was posted (and
// the paint request of a shown window).
//
// Fake implementations use Record() and ShouldFail()/Answer(); tests use the
// rest. Reset() returns everything to the start state.
//
// Handles are opaque numbers cast to the handle type, never dereferenced.
// Each area hands out its own range so that handles never collide: windows
// 0x1000+, device contexts 0x2000+, GL contexts 0x3000+, dialogs 0x4000+,
// fonts 0x5000+, the module 0x400000.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace fake {

struct Call {
    std::string name;
    std::vector<std::string> args;
};

// Forget every recorded call, scripted failure and answer, and put all
// emulated platform state (windows, queue, clocks, display mode) back to its
// start values.
void Reset();

// Fake areas that keep state of their own register how to reset it.
void AddResetHook(std::function<void()> hook);

// The call log.
void Record(const char* name, std::vector<std::string> args = {});
const std::vector<Call>& Calls();
std::vector<std::string> CallNames();
int CountCalls(const std::string& name);
// Index of the first call with this name at or after `from`, or -1.
int FindCall(const std::string& name, int from = 0);

// Make the next `times` calls of `name` fail (-1: every call from now on).
void FailCall(const std::string& name, int times = -1);
// Consumed by fake implementations: true when this call is to fail.
bool ShouldFail(const std::string& name);

// Scripted answers, taken in order; when none is queued `fallback` is used.
void QueueAnswer(const std::string& name, int64_t value);
int64_t Answer(const std::string& name, int64_t fallback);

// Runs `hook` whenever a call of this name is made, before the call answers,
// so that a test can look at what the user sees at that moment. An empty
// function removes it.
void OnCall(const std::string& name, std::function<void()> hook);

// What the user was shown and heard, oldest first: each message box as
// "text|caption|flags|owner" (flags and owner in hex), each sound request as
// "name|flags" (a stop request names "(null)").
std::vector<std::string> MessageBoxesShown();
std::vector<std::string> SoundsPlayed();

// Helpers for rendering arguments in the log.
std::string Text(const char* text);  // "(null)" for a null pointer
std::string Hex(uint64_t value);

}  // namespace fake
