// GTK 3 start-up, shared by the settings dialog and the message boxes.
#pragma once

#include <string>

// Connects GTK to the display on first use; false when there is none (no
// DISPLAY, or the display refused the connection). The first call decides
// for the whole run.
bool StartGtk();

// Handles every event GTK has pending, so that windows just shown or
// destroyed have reached the display before the caller goes on.
void FlushGtk();

// The program's texts are in the Windows ANSI code page (1252); GTK wants
// UTF-8. A null text becomes empty.
std::string ToGtkText(const char* ansiText);
