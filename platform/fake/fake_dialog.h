// Scripting the fake dialog host: DialogBoxParamA, EndDialog, SetTimer,
// KillTimer, SendDlgItemMessageA and SetDlgItemTextA.
//
// Platform: none (unit tests). DialogBoxParamA reads the dialog template from
// the program's resources (FindResourceA) and keeps, for each control the
// template names, the state a real control would have: a drop-down list's
// entries and selection, a check box's state, a text. It sends
// WM_INITDIALOG to the procedure, then runs the test's script, which plays
// the user's part through the functions below, then sends WM_DESTROY and
// returns what EndDialog was given. Without a script the user presses the
// button of the next answer queued with QueueAnswer("DialogBoxParamA", id)
// (IDOK when none is queued); an answer of -1 fails the creation. A dialog
// that does not end on that press waits for its user as a real modal loop
// does: it is sent WM_PAINT until the default handling takes the paint, and
// its timers tick in the order they fall due, the fake clocks moving to each,
// until it ends (after ten minutes of fake time it ends with 0).
// Creation also fails (-1, the procedure never runs) under
// FailCall("DialogBoxParamA") or when the template is missing or malformed.
// Limitations: nothing is drawn; under a script, timers fire only when the
// script ticks them; a script that ends without EndDialog ends the dialog
// with 0.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/win32.h"

namespace fake {

// Runs once per dialog, between WM_INITDIALOG and WM_DESTROY, with the
// dialog's handle. Kept until Reset().
void SetDialogScript(std::function<void(HWND dialog)> script);

// The user's actions on the open dialog. Each sends what Windows would send
// to the procedure and returns the procedure's answer.
INT_PTR SendToDialog(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
INT_PTR PressButton(int id);                    // WM_COMMAND, BN_CLICKED
INT_PTR ClickCheckBox(int id);                  // toggles the box, then WM_COMMAND, BN_CLICKED
INT_PTR ChooseListEntry(int id, int position);  // selects, then WM_COMMAND, CBN_SELCHANGE
// WM_TIMER for each running timer, in the order they were set: its callback
// when SetTimer was given one, else the dialog procedure.
void TickTimers();

// State of the current dialog, or of the last one after it ended (until the
// next dialog or Reset()).
HWND CurrentDialog();
bool DialogEnded();
// True until a WM_PAINT of the dialog reaches the default handling.
bool DialogNeedsPaint();
bool HasControl(int id);
std::vector<std::string> ListEntries(int id);
int ListSelection(int id);  // CB_ERR when nothing is selected
int CheckState(int id);
std::string ControlText(int id);
// The period of a running timer as Windows clamps it, 0 when no such timer
// runs.
UINT TimerPeriod(UINT_PTR id);

}  // namespace fake
