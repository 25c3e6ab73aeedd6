// The modal settings dialog (dialog resource 225) with its 30-second countdown.
#pragma once

#include <cstdint>

#include "app/settings_controls.h"
#include "platform/win32.h"

// Dialog results.
constexpr int32_t kDialogStart = 1;
constexpr int32_t kDialogExit = 2;

// Shows the dialog and turns its final state into the five values; `result`
// receives what DialogBoxParamA returned (1 start, 2 exit, -1 no dialog).
void RunSettingsDialog(HINSTANCE instance, int32_t& result, int32_t& width, int32_t& height, int32_t& bits,
                       bool& fullscreen, bool& sound);

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
