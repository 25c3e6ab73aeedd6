// SetTimer and KillTimer on Linux, for dialogs: each timer is a GLib timeout
// that delivers WM_TIMER to the dialog procedure, in the dialog's modal loop
// or in any loop nested in it (a message box the dialog opened).
//
// Platform: Linux. Dependencies: GLib (through GTK 3).
// Limitations: timers exist only on live dialogs; for any other window
// SetTimer fails (returns 0). Periods are clamped as on Windows
// (platform/common/timer_period.h). A timer callback, when given, is called
// instead of the procedure, as DispatchMessage does for WM_TIMER.
#include <gtk/gtk.h>

#include <algorithm>

#include "platform/common/timer_period.h"
#include "platform/linux/dialog_window.h"
#include "platform/linux/failure_reason.h"

namespace {

struct TimerTarget {
    DialogWindow* dialog;
    UINT_PTR id;
    TIMERPROC callback;
};

gboolean OnTimer(gpointer data) {
    const auto* target = static_cast<TimerTarget*>(data);
    if (target->callback) {
        target->callback(target->dialog, WM_TIMER, target->id, static_cast<DWORD>(g_get_monotonic_time() / 1000));
    } else {
        SendToDialog(*target->dialog, WM_TIMER, target->id, 0);
    }
    return G_SOURCE_CONTINUE;
}

void FreeTarget(gpointer data) { delete static_cast<TimerTarget*>(data); }

bool RemoveTimer(DialogWindow& dialog, UINT_PTR id) {
    auto& timers = dialog.timers;
    auto found = std::find_if(timers.begin(), timers.end(), [id](const DialogTimer& t) { return t.id == id; });
    if (found == timers.end()) return false;
    g_source_remove(found->source);
    timers.erase(found);
    return true;
}

}  // namespace

UINT_PTR WINAPI SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC timerProc) {
    DialogWindow* dialog = FindDialog(window);
    if (dialog == nullptr) {
        backend::ReportFailure("SetTimer", "timers run only on live dialogs");
        return 0;
    }
    // Setting a timer that exists restarts it with the new period.
    RemoveTimer(*dialog, id);
    const guint source = g_timeout_add_full(G_PRIORITY_DEFAULT, common::TimerPeriod(elapse), OnTimer,
                                            new TimerTarget{dialog, id, timerProc}, FreeTarget);
    dialog->timers.push_back(DialogTimer{id, source});
    // Windows answers a non-zero value for a window's timer, whatever its id.
    return id != 0 ? id : 1;
}

BOOL WINAPI KillTimer(HWND window, UINT_PTR id) {
    DialogWindow* dialog = FindDialog(window);
    if (dialog == nullptr || !RemoveTimer(*dialog, id)) {
        backend::ReportFailure("KillTimer", dialog == nullptr ? "not a live dialog" : "no such timer");
        return FALSE;
    }
    return TRUE;
}

void KillDialogTimers(DialogWindow& dialog) {
    for (const DialogTimer& timer : dialog.timers) g_source_remove(timer.source);
    dialog.timers.clear();
}
