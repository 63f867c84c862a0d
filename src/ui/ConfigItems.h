#pragma once
#include <cstdint>
#include <string>

#include "platform/Geometry.h"

class CLayout;
class IConfigHost;

// The nineteen items of the config screen as values: which label an option item shows, what a click
// on a label, a slider position or an arrow key does to the player configuration, the switch
// variables and the sound channels. Values are stored at once; nothing is drawn here.
class CConfigItems {
 public:
  static constexpr int kItems = 19;
  static constexpr int kFirstSwitch = 15;

  explicit CConfigItems(IConfigHost& host) : host(host) {}

  static bool IsSlider(int item);
  static bool IsButton(int item) { return item >= 11 && item <= 14; }
  // The switch variable of items 15 to 18 ("CONFIG_SWITCH0" to "CONFIG_SWITCH3").
  static std::string SwitchVariable(int item);

  // The index of the label whose control shows the item's value (0 for sliders and buttons).
  int CurrentLabel(int item) const;
  // The slider position of items 3, 7, 8, 9 and 10 (0 at the left end, 1 at the right).
  float SliderPosition(int item) const;

  // A click on label index of an option item.
  void ChooseLabel(int item, int index);
  // The knob of a slider item dragged to x in its control rect, the knob knobWidth wide.
  void SetSliderAt(int item, int32_t x, const SRect& rect, int32_t knobWidth);
  // Left (direction -1) or Right (+1) on an item of the page.
  void Step(int item, int direction, const CLayout& layout);

 private:
  void SetOption(int item, int value);
  void SetVolume(int item, int volume);
  void StepTextSpeed(int direction, const CLayout& layout);

  IConfigHost& host;
};
