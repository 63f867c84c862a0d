#include "persist/Settings.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>

#include "io/LooseFiles.h"
#include "io/PackArchive.h"
#include "io/Path.h"
#include "persist/SystemData.h"
#include "platform/Platform.h"

namespace settings {
namespace {

constexpr size_t kMaxVoiceCategories = 32;
// The display refuses larger screens (CDisplay::kMaxSide); glyphs are drawn at most 256 pixels tall,
// and the bound on the size keeps the sizes derived from it inside 32 bits.
constexpr int kMaxScreenSide = 8192;
constexpr int kMaxFontSize = 1024;

struct SState {
  CCsvTable table;
  int keyColumn = -1;
  int valueColumn = -1;
  int width = 800, height = 600;
  int saveSlots = 100;
  int fadeTime = 30, dialogTime = 20, windowTime = 10;
  std::string fontName, defaultFontName;
  int fontSize = 24, linePitch = 36;
  ETextEffect effect = ETextEffect::kNone;
  uint32_t fontColor = 0xFFFFFFFF, effectColor = 0, readTextColor = 0, readChoiceColor = 0;
  uint32_t nameColor = 0xFFFF8080;
  std::string kinsoku;
  CMapTable maps;
  bool ap = false;
  int timeStep = 0;
  std::string saveDirectory = "save/";
  std::string saveOverride;
  std::vector<std::string> sharedVariables;
  std::vector<SVoiceCategory> voiceCategories;
  CShortcutKeys shortcuts;
  CPlayerConfig config;
  CKeywords keywords;
  CExtraLists extras;
};

SState& State() {
  static SState state;
  return state;
}

// One row of setting.csv: its key, the value under "パラメータ" and the cells from there on.
struct SRow {
  std::string key;
  std::vector<std::string> values;
  std::string Value(size_t i) const { return i < values.size() ? values[i] : std::string(); }
  int Int(size_t i) const { return CCsvTable::ParseInt(Value(i)); }
};

// Resets every value the table can set, keeping a --save-dir override.
void SetDefaults(SState& s) {
  std::string saveOverride = s.saveOverride;
  CPackArchive::Instance().UnmountAll();
  s = SState();
  s.saveOverride = saveOverride;
  s.fontName = s.defaultFontName = "ＭＳ ゴシック";
}

std::string UserDataDirectory() {
  if (HasPlatform()) return ThePlatform().Files().UserDataDirectory();
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) return xdg;
  if (const char* home = std::getenv("HOME"); home && *home) return std::string(home) + "/.local/share";
  return std::string();
}

// The folder is below the per-user data folder; one that would leave it keeps the default.
void SetSaveFolder(SState& s, const std::string& folder) {
  if (!StaysInsideFolder(folder)) return;
  std::string base = UserDataDirectory();
  if (base.empty()) return;
  if (base.back() != '/') base += '/';
  std::string sub = CLooseFiles::ToHostPath(folder);
  if (!sub.empty() && sub.back() != '/') sub += '/';
  s.saveDirectory = base + sub;
}

void SetPositive(int& target, int value) {
  if (value > 0) target = value;
}

using RowHandler = std::function<bool(SState&, const SRow&)>;

// Handlers of the row kinds the engine applies; false only when start-up must end.
const std::map<std::string, RowHandler>& RowHandlers() {
  static const std::map<std::string, RowHandler> handlers{
      {"画面解像度",
       [](SState& s, const SRow& r) {
         // A missing or zero dimension keeps the default: a window of size 0 cannot be shown. A
         // screen larger than the display can make is an error of the file; the default is kept.
         const int width = r.Int(0), height = r.Int(1);
         if (width > kMaxScreenSide || height > kMaxScreenSide) {
           ShowFileError("system\\setting.csv");
           return true;
         }
         SetPositive(s.width, width);
         SetPositive(s.height, height);
         return true;
       }},
      {"セーブファイル数",
       [](SState& s, const SRow& r) { return s.saveSlots = std::max(0, r.Int(0)), true; }},
      {"フェード時間", [](SState& s, const SRow& r) { return s.fadeTime = std::max(1, r.Int(0)), true; }},
      {"ダイアログ開閉時間",
       [](SState& s, const SRow& r) { return s.dialogTime = std::max(1, r.Int(0)), true; }},
      {"ウィンドウ開閉時間",
       [](SState& s, const SRow& r) { return s.windowTime = std::max(1, r.Int(0)), true; }},
      {"フォント名",
       [](SState& s, const SRow& r) { return s.fontName = s.defaultFontName = r.Value(0), true; }},
      // A font of size 0 or below draws nothing; such a row keeps the default. Larger sizes are
      // clamped.
      {"フォントサイズ",
       [](SState& s, const SRow& r) {
         return SetPositive(s.fontSize, std::min(r.Int(0), kMaxFontSize)), true;
       }},
      {"フォント色",
       [](SState& s, const SRow& r) { return s.fontColor = CCsvTable::ParseColor(r.Value(0)), true; }},
      {"フォント行間", [](SState& s, const SRow& r) { return s.linePitch = r.Int(0), true; }},
      {"フォント効果",
       [](SState& s, const SRow& r) {
         const std::string v = r.Value(0);
         s.effect = v == "ふち" ? ETextEffect::kEdge : v == "影" ? ETextEffect::kShadow : ETextEffect::kNone;
         return true;
       }},
      {"フォント効果の色",
       [](SState& s, const SRow& r) {
         return s.effectColor = CCsvTable::ParseColor(r.Value(0), false), true;
       }},
      {"既読テキストの色",
       [](SState& s, const SRow& r) { return s.readTextColor = CCsvTable::ParseColor(r.Value(0)), true; }},
      {"既読選択肢の色",
       [](SState& s, const SRow& r) { return s.readChoiceColor = CCsvTable::ParseColor(r.Value(0)), true; }},
      {"名前の色",
       [](SState& s, const SRow& r) { return s.nameColor = CCsvTable::ParseColor(r.Value(0)), true; }},
      {"時刻", [](SState& s, const SRow& r) { return s.maps.SetTimeSlots(r.values), true; }},
      {"AP", [](SState& s, const SRow& r) { return s.ap = r.Value(0) == "あり", true; }},
      {"時間経過",
       [](SState& s, const SRow& r) {
         if (!CMapTable::ParseTime(r.Value(0), s.timeStep)) s.timeStep = 0;
         return true;
       }},
      {"セーブフォルダ", [](SState& s, const SRow& r) { return SetSaveFolder(s, r.Value(0)), true; }},
      {"共有変数",
       [](SState& s, const SRow& r) {
         const std::string name = r.Value(0);
         auto& names = s.sharedVariables;
         if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end())
           names.push_back(name);
         return true;
       }},
      {"ショートカットキー",
       [](SState& s, const SRow& r) { return s.shortcuts.Set(r.Value(0), r.Value(1)), true; }},
      {"禁則文字", [](SState& s, const SRow& r) { return s.kinsoku = r.Value(0), true; }},
      {"ボイス分類",
       [](SState& s, const SRow& r) {
         if (s.voiceCategories.size() < kMaxVoiceCategories)
           s.voiceCategories.push_back({r.Value(0), r.Value(1)});
         return true;
       }},
      {"アーカイブ",
       [](SState&, const SRow& r) {
         if (CPackArchive::Instance().Mount(r.Value(0), r.Value(1))) return true;
         ShowFileError(r.Value(0));
         return false;
       }},
  };
  return handlers;
}

// "マップ" followed by a decimal number; -1 for any other key.
int MapNumber(const std::string& key) {
  static const std::string kMap = "マップ";
  if (key.size() <= kMap.size() || key.compare(0, kMap.size(), kMap) != 0) return -1;
  std::string digits = key.substr(kMap.size());
  if (digits.size() > 6 ||
      !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return -1;
  return std::stoi(digits);
}

std::vector<SRow> Rows(const SState& s) {
  std::vector<SRow> rows;
  for (int i = 0; i < s.table.RowCount(); ++i) {
    SRow row{s.table.GetCell(i, s.keyColumn, ""), {}};
    const std::vector<std::string>& cells = s.table.Row(i);
    if (s.valueColumn >= 0 && static_cast<size_t>(s.valueColumn) < cells.size())
      row.values.assign(cells.begin() + s.valueColumn, cells.end());
    rows.push_back(std::move(row));
  }
  return rows;
}

bool ApplyRows(SState& s) {
  const auto& handlers = RowHandlers();
  for (const SRow& row : Rows(s)) {
    if (int n = MapNumber(row.key); n >= 0) {
      s.maps.SetMap(n, row.values);
      continue;
    }
    auto it = handlers.find(row.key);
    if (it != handlers.end() && !it->second(s, row)) return false;
  }
  return true;
}

void ApplyDerivedDefaults(SState& s) {
  if (s.linePitch == 0) s.linePitch = s.fontSize * 3 / 2;
  if (s.readTextColor == 0) s.readTextColor = s.fontColor;
  if (s.readChoiceColor == 0) s.readChoiceColor = s.fontColor;
}

void ApplyConfigAndKeywords(SState& s, bool keywords) {
  s.config.Reset();
  for (const SRow& row : Rows(s)) {
    if (row.key == "コンフィグ") s.config.ApplyRow(row.Value(0), row.Int(1));
    if (keywords && row.key == "キーワード" && !row.Value(0).empty())
      s.keywords.Declare(row.Value(0), row.Value(1));
  }
}

}  // namespace

bool LoadSettings() {
  SState& s = State();
  SetBaseDirectory("");
  SetDefaults(s);
  if (!CPackArchive::Instance().Mount("system", "system")) {
    ShowFileError("system");
    return false;
  }
  const std::string path = "system\\setting.csv";
  if (!s.table.Load(path)) ShowFileError(path);
  s.keyColumn = s.table.FindColumn("項目");
  s.valueColumn = s.table.FindColumn("パラメータ");
  if (!ApplyRows(s)) return false;
  ApplyDerivedDefaults(s);
  ApplyConfigAndKeywords(s, true);
  s.extras.Load();
  CSystemData::ReadSystemData();
  return true;
}

std::string GetSetting(const std::string& key, const std::string& defaultValue) {
  const SState& s = State();
  for (int i = 0; i < s.table.RowCount(); ++i)
    if (s.keyColumn >= 0 && s.table.GetCell(i, s.keyColumn, "") == key)
      return s.table.GetCell(i, s.valueColumn, defaultValue);
  return defaultValue;
}

int ScreenWidth() { return State().width; }
int ScreenHeight() { return State().height; }
std::string GetTitle() { return GetSetting("タイトル", ""); }
bool IsFullScreen() { return State().config.IsFullScreen(); }
void SetFullScreen(bool fullScreen) {
  State().config.SetValue(CPlayerConfig::kScreenMode, fullScreen ? 0 : 1);
}

std::string SaveDirectory() {
  const SState& s = State();
  if (s.saveOverride.empty()) return s.saveDirectory;
  return s.saveOverride.back() == '/' ? s.saveOverride : s.saveOverride + "/";
}

void SetSaveDirectoryOverride(const std::string& path) { State().saveOverride = path; }

const CCsvTable& Table() { return State().table; }
int SaveSlotCount() { return State().saveSlots; }
int FadeTime() { return State().fadeTime; }
int DialogTime() { return State().dialogTime; }
int WindowTime() { return State().windowTime; }
std::string FontName() { return State().fontName; }
void SetFontName(const std::string& face) { State().fontName = face; }
std::string DefaultFontName() { return State().defaultFontName; }
int FontSize() { return State().fontSize; }
int LinePitch() { return State().linePitch; }
ETextEffect TextEffect() { return State().effect; }
uint32_t FontColor() { return State().fontColor; }
uint32_t EffectColor() { return State().effectColor; }
uint32_t ReadTextColor() { return State().readTextColor; }
uint32_t ReadChoiceColor() { return State().readChoiceColor; }
uint32_t NameColor() { return State().nameColor; }
std::string KinsokuCharacters() { return State().kinsoku; }
const CMapTable& MapTable() { return State().maps; }
bool IsApEnabled() { return State().ap; }
int TimeStep() { return State().timeStep; }
const std::vector<std::string>& SharedVariableNames() { return State().sharedVariables; }
const std::vector<SVoiceCategory>& VoiceCategories() { return State().voiceCategories; }
const CShortcutKeys& ShortcutKeys() { return State().shortcuts; }
CPlayerConfig& Config() { return State().config; }
void ResetConfig() { ApplyConfigAndKeywords(State(), false); }
CKeywords& Keywords() { return State().keywords; }
CExtraLists& Extras() { return State().extras; }

}  // namespace settings
