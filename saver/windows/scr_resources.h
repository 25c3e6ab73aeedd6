// Resource ids of corvane.scr, shared by its resource script and its code.
// Plain #defines, since the resource compiler reads this file too.
#pragma once

// String 1: the name Windows lists the screen saver under.
#define IDS_SAVER_NAME 1

// The settings dialog and its controls.
#define IDD_SAVER_SETTINGS 2001
#define IDC_SAVER_SOUND 2002
#define IDC_SAVER_SHOW_FPS 2003
#define IDC_SAVER_DELAY 2004
#define IDC_SAVER_DELAY_LABEL 2005
