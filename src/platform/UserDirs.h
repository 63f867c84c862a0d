#pragma once
#include <string>

// The desktop's named user folders (xdg-user-dirs): $XDG_CONFIG_HOME/user-dirs.dirs holds lines such
// as XDG_PICTURES_DIR="$HOME/Pictures".
class CUserDirs {
 public:
  // The folder a user-dirs.dirs text names for a key (e.g. "XDG_PICTURES_DIR"), with $HOME expanded;
  // empty when the key is missing, not of the documented form, or set to the home folder itself
  // (which is how the desktop marks a folder as not wanted).
  static std::string Parse(const std::string& fileText, const std::string& key, const std::string& home);
  // The pictures folder: $XDG_PICTURES_DIR, else from user-dirs.dirs; empty when there is none.
  static std::string PicturesDirectory();
};
