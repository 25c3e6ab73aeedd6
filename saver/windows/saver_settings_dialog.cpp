// The settings dialog of corvane.scr: the controls show the stored settings
// (already clamped when read) and OK writes them back.
#include "saver/windows/saver_settings_dialog.h"

#include <cstdio>

#include "saver/windows/scr_resources.h"
#include "saver/windows/settings_registry.h"

namespace {

const char kCaption[] = "Corvane";

void ShowSettings(HWND dialog, const SaverSettings& settings) {
    CheckDlgButton(dialog, IDC_SAVER_SOUND, settings.sound ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_SAVER_SHOW_FPS, settings.showFps ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemInt(dialog, IDC_SAVER_DELAY, static_cast<UINT>(settings.delayMicroseconds), FALSE);
    char label[96];
    std::snprintf(label, sizeof label, "&Pause between frames, in microseconds (0 to %d):",
                  static_cast<int>(kMaxSaverDelayMicroseconds));
    SetDlgItemTextA(dialog, IDC_SAVER_DELAY_LABEL, label);
    SendDlgItemMessageA(dialog, IDC_SAVER_DELAY, EM_LIMITTEXT, 10, 0);
}

// Saves what the controls show; false (after telling the user) when the
// dialog should stay open.
bool SaveSettings(HWND dialog) {
    BOOL isNumber = FALSE;
    // ES_NUMBER keeps out signs and letters, but not pasted text or an empty box.
    UINT delay = GetDlgItemInt(dialog, IDC_SAVER_DELAY, &isNumber, FALSE);
    if (!isNumber) {
        char text[96];
        std::snprintf(text, sizeof text, "The pause between frames must be a whole number from 0 to %d.",
                      static_cast<int>(kMaxSaverDelayMicroseconds));
        MessageBoxA(dialog, text, kCaption, MB_OK | MB_ICONEXCLAMATION);
        SetFocus(GetDlgItem(dialog, IDC_SAVER_DELAY));
        return false;
    }
    SaverSettings settings;
    settings.sound = IsDlgButtonChecked(dialog, IDC_SAVER_SOUND) == BST_CHECKED;
    settings.showFps = IsDlgButtonChecked(dialog, IDC_SAVER_SHOW_FPS) == BST_CHECKED;
    settings.delayMicroseconds = ClampDelayMicroseconds(static_cast<int64_t>(delay));
    if (!WriteSaverSettings(settings)) {
        MessageBoxA(dialog, "The settings could not be saved in the registry.", kCaption,
                    MB_OK | MB_ICONEXCLAMATION);
    }
    return true;
}

INT_PTR CALLBACK SaverSettingsProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        ShowSettings(dialog, ReadSaverSettings());
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            if (SaveSettings(dialog)) EndDialog(dialog, IDOK);
            return TRUE;
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

}  // namespace

void RunSaverSettingsDialog(HINSTANCE instance, HWND owner) {
    if (DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_SAVER_SETTINGS), owner, SaverSettingsProc, 0) == -1) {
        MessageBoxA(owner, "The settings dialog could not be shown.", kCaption, MB_OK | MB_ICONEXCLAMATION);
    }
}
