#pragma once
#include <string>

#include "platform/Window.h"

// The window's size and scaling kept between runs, in "window.cfg" of the save folder: lines
// "width N", "height N" and "scaling sharp|smooth". Unknown lines and bad values are passed over.
class CWindowPrefs {
 public:
  static SWindowPlacement Parse(const std::string& text);
  static std::string Format(const SWindowPlacement& placement);
  // The placement kept in the save folder; the default one when there is none.
  static SWindowPlacement Load();
  // Writes the placement through the atomic file writer; false when it could not be written.
  static bool Save(const SWindowPlacement& placement);
  static std::string Path();
};
