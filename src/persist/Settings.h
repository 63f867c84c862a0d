#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "persist/CsvTable.h"
#include "persist/ExtraLists.h"
#include "persist/Keywords.h"
#include "persist/MapTable.h"
#include "persist/PlayerConfig.h"
#include "persist/ShortcutKeys.h"

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

// The whole settings table, for rows read on demand.
const CCsvTable& Table();

enum class ETextEffect { kNone, kEdge, kShadow };

int SaveSlotCount();
// Times in ticks, each at least 1.
int FadeTime();
int DialogTime();
int WindowTime();
// The configured font face, and the face the config screen returns to.
std::string FontName();
void SetFontName(const std::string& face);
std::string DefaultFontName();
int FontSize();
// Line pitch in pixels for text of size 100.
int LinePitch();
ETextEffect TextEffect();
// Colours as 0xAARRGGBB; the effect colour keeps the alpha byte as written.
uint32_t FontColor();
uint32_t EffectColor();
uint32_t ReadTextColor();
uint32_t ReadChoiceColor();
uint32_t NameColor();
// The kinsoku set: characters that may overhang the right edge of the message window.
std::string KinsokuCharacters();

// Time slots and map layouts; the AP feature and the time that passes per map step in minutes.
const CMapTable& MapTable();
bool IsApEnabled();
int TimeStep();

// Names declared by "共有変数" rows, in order, each once.
const std::vector<std::string>& SharedVariableNames();

struct SVoiceCategory {
  std::string name;
  std::string value;
};
// Up to 32 "ボイス分類" rows in order.
const std::vector<SVoiceCategory>& VoiceCategories();

const CShortcutKeys& ShortcutKeys();
CPlayerConfig& Config();
// Returns the player configuration to the defaults of the table ("コンフィグ" rows).
void ResetConfig();
CKeywords& Keywords();
CExtraLists& Extras();

}  // namespace settings
