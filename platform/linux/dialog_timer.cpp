// SetTimer and KillTimer on Linux, for dialogs: each timer is a GLib timeout
// that delivers WM_TIMER to the dialog procedure, in the dialog's modal loop
// or in any loop nested in it (a message box the dialog opened).
//
// Platform: Linux. Dependencies: GLib (through GTK 3).
// Limitations: timers exist only on live dialogs; for any other window
// SetTimer fails (returns 0). Periods are clamped to 10 ms and up, as on
// Windows. A timer callback, when given, is called instead of the procedure.
#include <gtk/gtk.h>

#include <algorithm>

#include "platform/linux/dialog_window.h"

namespace {

constexpr UINT kShortestPeriodMs = 10;  // USER_TIMER_MINIMUM

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
    if (dialog == nullptr) return 0;
    // Setting a timer that exists restarts it with the new period.
    RemoveTimer(*dialog, id);
    const guint source = g_timeout_add_full(G_PRIORITY_DEFAULT, std::max(elapse, kShortestPeriodMs), OnTimer,
                                            new TimerTarget{dialog, id, timerProc}, FreeTarget);
    dialog->timers.push_back(DialogTimer{id, source});
    // Windows answers a non-zero value for a window's timer, whatever its id.
    return id != 0 ? id : 1;
}

BOOL WINAPI KillTimer(HWND window, UINT_PTR id) {
    DialogWindow* dialog = FindDialog(window);
    return dialog != nullptr && RemoveTimer(*dialog, id) ? TRUE : FALSE;
}

void KillDialogTimers(DialogWindow& dialog) {
    for (const DialogTimer& timer : dialog.timers) g_source_remove(timer.source);
    dialog.timers.clear();
}
