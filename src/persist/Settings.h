#pragma once
#include <string>
#include <vector>

// The settings table of system\setting.csv and the player's configuration, process-wide.
namespace settings {

// Loads defaults, mounts the archives, reads setting.csv and the lists. False when start-up must end.
bool LoadSettings();
// The value of the first column after the key, or defaultValue when the key is absent.
std::string GetSetting(const std::string& key, const std::string& defaultValue);
// Screen size from "画面解像度" (default 800 x 600).
int ScreenWidth();
int ScreenHeight();
// The window title, from "タイトル".
std::string GetTitle();
// Whether the player chose full screen; stored with the player configuration.
bool IsFullScreen();
void SetFullScreen(bool fullScreen);
// The folder for save files and system.dat (UTF-8 path on the file system).
std::string SaveDirectory();
void SetSaveDirectoryOverride(const std::string& path);

}  // namespace settings
