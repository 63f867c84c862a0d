#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "gfx/LayerSet.h"
#include "script/ScriptHost.h"
#include "script/ScriptRunner.h"
#include "ui/MessagePage.h"

class CGameSystem;
class CRecordFile;

// Applies a record body to a game that was just reset. Chunks are read in file order and unknown
// tags are skipped; what depends on other chunks (the script stack, layers, the wait) is gathered
// first and set up once the body is read, so no chunk order can leave a half-built state. Every
// number from the file is checked before it indexes anything.
class CSaveReader {
 public:
  CSaveReader(CGameSystem& game, CRecordFile& record) : game(game), record(record) {}

  // Reads the body to its end and restores the game, leaving it in the saved wait.
  void Apply();
  // The message number of "PRGR", set once the script has continued.
  int32_t MessageNumber() const { return messageNumber; }

 private:
  struct SScriptEntry {
    int32_t flag = 0;
    std::string name;
    int32_t line = 0, item = 0;
    std::string mapMusic;
  };
  struct SLayerState {
    bool hasPrevious = false, hasCurrent = false;
    SLayerPicture previous, current;
    int32_t transition = 0, elapsed = 0, duration = 0, gradation = 0;
    int32_t opacity = 255;
    std::string mask;
  };
  struct SWait {
    bool saved = false;
    int32_t mode = 0, length = 0, elapsed = 0, soundMask = 0, forced = 0, always = 0;
    int32_t readPosition = 0, hover = -1, lineIndex = -1;
  };

  bool ReadChunk(const std::string& tag);
  bool ReadScriptChunk(const std::string& tag);
  bool ReadLayerChunk(const std::string& tag);
  bool ReadSceneChunk(const std::string& tag);
  void ReadVariables();
  void ReadScripts();
  void ReadMapMusic();
  void ReadWait();
  void ReadMapAnswers();
  CMessagePage::CLine ReadPieces();
  SLayerState* ReadLayerNumber();
  void ReadPicture(SLayerPicture& picture);
  void ReadMove();
  void ReadTransition();
  void ReadWindow();
  void ReadSounds();
  std::string ReadPath();

  void RestoreScripts();
  void RestoreLayers();
  void EnterWait();
  int32_t WaitMode() const;

  CGameSystem& game;
  CRecordFile& record;
  std::vector<SScriptEntry> scripts;
  std::vector<CScriptRunner::SBlockFrame> blocks;
  std::array<SLayerState, CLayerSet::kLayerCount> layers;
  std::vector<SChoice> choices;
  std::vector<SClickRegion> regions;
  SWait wait;
  bool keyWait = false, keyWaitIcon = false, choiceWait = false, regionWait = false, mapSelect = false;
  bool mapResumed = false;
  int32_t keyWaitLine = 0;
  size_t textLine = 0;
  int32_t messageNumber = 0;
  std::vector<std::pair<int32_t, std::string>> sounds;
  std::string voice;
  bool effectSet = false;
  int32_t effect = 0, effectColour = 0, effectLevel = 1, effectPlace = -1;
};
