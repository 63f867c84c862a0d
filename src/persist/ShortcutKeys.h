#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The keyboard shortcuts of the nine message-window buttons, set by "ショートカットキー" rows.
class CShortcutKeys {
 public:
  struct SShortcut {
    uint32_t key = 0;  // a Windows virtual-key code; 0 for none
    bool shift = false;
    bool operator==(const SShortcut&) const = default;
  };

  CShortcutKeys() { Reset(); }
  // Quick load L, quick save S, the backlog the up arrow, auto A; no other button has a key.
  void Reset();
  // Sets the key of the button of that name from a key cell; false when no button has the name.
  bool Set(const std::string& button, const std::string& keyCell);
  // The shortcut of a button; none for an unknown name.
  SShortcut Get(const std::string& button) const;
  // The button names in the window's order: "クイックロード", "クイックセーブ", "ログ", "オート",
  // "スキップ", "ロード", "セーブ", "コンフィグ", "閉じる".
  static const std::vector<std::string>& ButtonNames();

  // A key cell: optional "SHIFT+", then A-Z, 0-9, F1-F24 or a key name such as "PAGEUP".
  // Anything else gives key 0 and keeps the Shift flag.
  static SShortcut ParseKey(const std::string& cell);

 private:
  std::vector<SShortcut> keys;
};
