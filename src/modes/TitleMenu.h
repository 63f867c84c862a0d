#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class CCsvTable;
class CLayout;

// The seven items of the title screen and the controls that stand for them in the title layout:
// which item the mouse is on, where the arrow keys lead, and which layout the settings choose.
class CTitleMenu {
 public:
  enum EItem : int32_t {
    kNone = -1,
    kStart = 0,
    kContinue = 1,
    kConfig = 2,
    kAlbum = 3,
    kFlashback = 4,
    kMusic = 5,
    kQuit = 6,
  };
  static constexpr int32_t kItems = 7;
  static constexpr const char* kDefaultLayout = "system\\title\\bg.scn";

  // The control names in item order.
  static const std::vector<std::string>& ControlNames();
  // The first item, in item order, whose control contains the point; kNone when there is none.
  static int32_t HitTest(const CLayout& layout, int32_t x, int32_t y);
  // Whether the item's control contains the point (false for kNone and missing controls).
  static bool Contains(const CLayout& layout, int32_t item, int32_t x, int32_t y);
  // The item the arrow keys lead to from current (kNone: the first item in reading order); step -1
  // for Up, +1 for Down. kNone when the layout has none of the controls.
  static int32_t Navigate(const CLayout& layout, int32_t current, int32_t step);

  using Condition = std::function<int32_t(std::string_view)>;
  // The layout path: the default, replaced by the "パラメータ" of every "タイトル画面" row whose
  // condition (the column after "パラメータ"; empty holds) evaluates non-zero; the last such row wins.
  static std::string ChooseLayout(const CCsvTable& table, const Condition& evaluate);
};
