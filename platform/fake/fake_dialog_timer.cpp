// The fake dialog's timers for unit tests: SetTimer, KillTimer, and ticking
// them. Periods are clamped as on Windows (platform/common/timer_period.h).
// See fake_dialog.h.
#include <algorithm>

#include "platform/common/timer_period.h"
#include "platform/fake/fake_dialog.h"
#include "platform/fake/fake_dialog_window.h"
#include "platform/fake/fake_platform.h"

namespace fake {
namespace {

bool RemoveTimer(std::vector<DialogTimer>& timers, UINT_PTR id) {
    const auto found = std::find_if(timers.begin(), timers.end(), [id](const DialogTimer& t) { return t.id == id; });
    if (found == timers.end()) return false;
    timers.erase(found);
    return true;
}

}  // namespace

void Tick(const DialogTimer& timer) {
    // As DispatchMessage does for WM_TIMER: the callback instead of the procedure.
    if (timer.callback) {
        timer.callback(TheDialogHost().dialog, WM_TIMER, timer.id, timeGetTime());
    } else {
        SendToDialog(WM_TIMER, timer.id, 0);
    }
}

void TickTimers() {
    if (!TheDialogHost().running) return;
    // A copy: the procedure may set or kill timers while they are ticked.
    const std::vector<DialogTimer> timers = TheDialogHost().timers;
    for (const DialogTimer& timer : timers) Tick(timer);
}

UINT TimerPeriod(UINT_PTR id) {
    for (const DialogTimer& timer : TheDialogHost().timers) {
        if (timer.id == id) return timer.period;
    }
    return 0;
}

}  // namespace fake

UINT_PTR WINAPI SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC timerProc) {
    fake::DialogHost& host = fake::TheDialogHost();
    if (fake::ShouldFail("SetTimer") || window == nullptr || window != host.dialog || !host.running) return 0;
    // Setting a timer that exists restarts it with the new period.
    fake::RemoveTimer(host.timers, id);
    const UINT period = common::TimerPeriod(elapse);
    host.timers.push_back(fake::DialogTimer{id, period, timerProc, host.elapsedMs + period});
    // Windows answers a non-zero value for a window's timer, whatever its id.
    return id != 0 ? id : 1;
}

BOOL WINAPI KillTimer(HWND window, UINT_PTR id) {
    fake::DialogHost& host = fake::TheDialogHost();
    if (window == nullptr || window != host.dialog || !host.running) return FALSE;
    return fake::RemoveTimer(host.timers, id) ? TRUE : FALSE;
}
