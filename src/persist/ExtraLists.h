#pragma once
#include <string>
#include <vector>

// The extras' lists: system\album\list.csv, system\flashback\list.csv, system\music\list.csv.
// The seen and unlocked flags start cleared; system.dat restores them.
struct SAlbumEntry {
  bool seen = false;
  std::string thumbnail;
  std::vector<std::string> images;
  int category = 0;
};

struct SFlashbackEntry {
  bool seen = false;
  std::string thumbnail;
  std::string scenario;
  int category = 0;
};

struct SMusicEntry {
  bool unlocked = false;
  std::string title;
  std::string file;
  std::string thumbnail;
  std::string image;
};

class CExtraLists {
 public:
  void Clear();
  // Loads the three lists; a missing list is empty.
  void Load();

  std::vector<SAlbumEntry>& Album() { return album; }
  std::vector<SFlashbackEntry>& Flashback() { return flashback; }
  std::vector<SMusicEntry>& Music() { return music; }

 private:
  void LoadAlbum();
  void LoadFlashback();
  void LoadMusic();

  std::vector<SAlbumEntry> album;
  std::vector<SFlashbackEntry> flashback;
  std::vector<SMusicEntry> music;
};
