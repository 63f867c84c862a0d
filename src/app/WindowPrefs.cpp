#include "app/WindowPrefs.h"

#include <fstream>
#include <sstream>

#include "io/AtomicFile.h"
#include "persist/Settings.h"

namespace {

// Window sides in desktop points, from a hundredth of a small screen to a wall of monitors.
constexpr int kLargestSide = 32768;

int ParseSide(const std::string& text) {
  if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos) return 0;
  const int value = std::stoi(text);
  return value <= kLargestSide ? value : 0;
}

}  // namespace

SWindowPlacement CWindowPrefs::Parse(const std::string& text) {
  SWindowPlacement placement;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    std::istringstream words(line);
    std::string key, value, extra;
    if (!(words >> key >> value) || (words >> extra)) continue;
    if (key == "width") placement.width = ParseSide(value);
    if (key == "height") placement.height = ParseSide(value);
    if (key == "scaling") placement.scaling = CViewport::Parse(value).value_or(placement.scaling);
  }
  // A size needs both sides.
  if (placement.width == 0 || placement.height == 0) placement.width = placement.height = 0;
  return placement;
}

std::string CWindowPrefs::Format(const SWindowPlacement& placement) {
  return "width " + std::to_string(placement.width) + "\nheight " + std::to_string(placement.height) +
         "\nscaling " + CViewport::Name(placement.scaling) + "\n";
}

std::string CWindowPrefs::Path() { return settings::SaveDirectory() + "window.cfg"; }

SWindowPlacement CWindowPrefs::Load() {
  std::ifstream file(Path(), std::ios::binary);
  if (!file) return {};
  std::ostringstream text;
  text << file.rdbuf();
  return Parse(text.str());
}

bool CWindowPrefs::Save(const SWindowPlacement& placement) {
  const std::string text = Format(placement);
  return CAtomicFile::Write(Path(), text.data(), text.size());
}
