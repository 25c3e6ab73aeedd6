// The fake's script: failures and answers by function name, and the reset of
// every area. See fake_platform.h.
#include "platform/fake/fake_platform.h"

#include <cstdio>
#include <deque>
#include <map>

namespace fake {
namespace {

struct Script {
    std::map<std::string, int> failures;  // remaining count, -1 = forever
    std::map<std::string, std::deque<int64_t>> answers;
};

Script& TheScript() {
    static Script script;
    return script;
}

std::vector<std::function<void()>>& ResetHooks() {
    static std::vector<std::function<void()>> hooks;
    return hooks;
}

}  // namespace

void AddResetHook(std::function<void()> hook) { ResetHooks().push_back(std::move(hook)); }

void Reset() {
    TheScript() = Script();
    for (auto& hook : ResetHooks()) hook();
}

void FailCall(const std::string& name, int times) { TheScript().failures[name] = times; }

bool ShouldFail(const std::string& name) {
    auto& failures = TheScript().failures;
    auto it = failures.find(name);
    if (it == failures.end() || it->second == 0) return false;
    if (it->second > 0) --it->second;
    return true;
}

void QueueAnswer(const std::string& name, int64_t value) { TheScript().answers[name].push_back(value); }

int64_t Answer(const std::string& name, int64_t fallback) {
    auto& answers = TheScript().answers;
    auto it = answers.find(name);
    if (it == answers.end() || it->second.empty()) return fallback;
    int64_t value = it->second.front();
    it->second.pop_front();
    return value;
}

std::string Text(const char* text) { return text ? std::string(text) : std::string("(null)"); }

std::string Hex(uint64_t value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "0x%llx", static_cast<unsigned long long>(value));
    return buffer;
}

}  // namespace fake
