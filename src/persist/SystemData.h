#pragma once

// system.dat in the save folder: the player's configuration, shared variables and the extras'
// flags kept between runs.
class CSystemData {
 public:
  // Reads system.dat into the settings. The file's format is not read yet, so the player's
  // choices start from the defaults on every run; returns false to say nothing was read.
  static bool ReadSystemData();
};
