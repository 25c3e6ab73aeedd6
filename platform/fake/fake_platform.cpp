#include "platform/fake/fake_platform.h"

#include <cstdio>
#include <deque>
#include <functional>
#include <map>

namespace fake {
namespace {

struct Script {
    std::vector<Call> calls;
    std::map<std::string, int> failures;  // remaining count, -1 = forever
    std::map<std::string, std::deque<int64_t>> answers;
    std::map<std::string, std::function<void()>> onCall;
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

// Fake areas with state of their own register a reset hook here.
void AddResetHook(std::function<void()> hook) { ResetHooks().push_back(std::move(hook)); }

void Reset() {
    TheScript() = Script();
    for (auto& hook : ResetHooks()) hook();
}

void Record(const char* name, std::vector<std::string> args) {
    TheScript().calls.push_back(Call{name, std::move(args)});
    const auto hook = TheScript().onCall.find(name);
    if (hook != TheScript().onCall.end() && hook->second) {
        const std::function<void()> run = hook->second;  // the hook may replace itself
        run();
    }
}

void OnCall(const std::string& name, std::function<void()> hook) { TheScript().onCall[name] = std::move(hook); }

std::vector<std::string> MessageBoxesShown() {
    std::vector<std::string> boxes;
    for (const Call& call : TheScript().calls)
        if (call.name == "MessageBoxA")
            boxes.push_back(call.args[1] + "|" + call.args[2] + "|" + call.args[3] + "|" + call.args[0]);
    return boxes;
}

std::vector<std::string> SoundsPlayed() {
    std::vector<std::string> sounds;
    for (const Call& call : TheScript().calls)
        if (call.name == "PlaySoundA") sounds.push_back(call.args[0] + "|" + call.args[2]);
    return sounds;
}

const std::vector<Call>& Calls() { return TheScript().calls; }

std::vector<std::string> CallNames() {
    std::vector<std::string> names;
    for (const Call& call : TheScript().calls) names.push_back(call.name);
    return names;
}

int CountCalls(const std::string& name) {
    int count = 0;
    for (const Call& call : TheScript().calls) count += call.name == name;
    return count;
}

int FindCall(const std::string& name, int from) {
    const auto& calls = TheScript().calls;
    for (size_t i = from < 0 ? 0 : static_cast<size_t>(from); i < calls.size(); ++i)
        if (calls[i].name == name) return static_cast<int>(i);
    return -1;
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
