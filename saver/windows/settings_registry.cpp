// The screen saver's settings in HKEY_CURRENT_USER\Software\Corvane: three
// DWORD values "Sound", "ShowFps" and "Delay".
#include "saver/windows/settings_registry.h"

#include <windows.h>

namespace {

const char kKey[] = "Software\\Corvane";
const char kSound[] = "Sound";
const char kShowFps[] = "ShowFps";
const char kDelay[] = "Delay";

StoredDword ReadDword(HKEY key, const char* name) {
    StoredDword stored;
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof value;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) == ERROR_SUCCESS &&
        type == REG_DWORD && size == sizeof value) {
        stored.present = true;
        stored.value = value;
    }
    return stored;
}

bool WriteDword(HKEY key, const char* name, DWORD value) {
    return RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value) ==
           ERROR_SUCCESS;
}

}  // namespace

SaverSettings ReadSaverSettings() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return SaverSettings{};
    SaverSettings settings = SaverSettingsFromStored(ReadDword(key, kSound), ReadDword(key, kShowFps),
                                                     ReadDword(key, kDelay));
    RegCloseKey(key);
    return settings;
}

bool WriteSaverSettings(const SaverSettings& settings) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    bool written = WriteDword(key, kSound, settings.sound ? 1 : 0) &&
                   WriteDword(key, kShowFps, settings.showFps ? 1 : 0) &&
                   WriteDword(key, kDelay, static_cast<DWORD>(ClampDelayMicroseconds(settings.delayMicroseconds)));
    RegCloseKey(key);
    return written;
}
