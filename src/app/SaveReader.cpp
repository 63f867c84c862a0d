#include "app/SaveReader.h"

#include <algorithm>

#include "app/GameSystem.h"
#include "app/SaveWriter.h"
#include "app/ScriptHostAdapter.h"
#include "audio/SoundSystem.h"
#include "io/Path.h"
#include "persist/RecordFile.h"
#include "ui/MessageText.h"
#include "ui/MessageWindow.h"

namespace {

// Pictures are never rebuilt larger than eight times their size, whatever a file claims.
constexpr int32_t kMaxZoom = 800;

}  // namespace

void CSaveReader::Apply() {
  // Answers of the game left behind never reach the loaded one.
  game.ScriptHost().ClearMapAnswers();
  while (record.NextChunk()) {
    const std::string tag = record.Tag();
    if (tag == "END ") break;
    ReadChunk(tag);
  }
  RestoreScripts();
  RestoreLayers();
  if (effectSet)
    game.Layers().Effect().Start(effect, effectLevel, static_cast<uint32_t>(effectColour), effectPlace);
  for (const auto& [channel, name] : sounds) game.Sound().PlaySound(name, channel, true, false, 0);
  if (!voice.empty()) game.Sound().PlaySound(voice, CSoundSystem::kVoiceChannel, false, false, 0);
  game.Window().JumpLevels();
  EnterWait();
  game.Display().MarkAllDirty();
}

bool CSaveReader::ReadChunk(const std::string& tag) {
  return ReadScriptChunk(tag) || ReadLayerChunk(tag) || ReadSceneChunk(tag);
}

bool CSaveReader::ReadScriptChunk(const std::string& tag) {
  if (tag == "VAR ") {
    ReadVariables();
  } else if (tag == "EVNT") {
    game.DoneMarks().Read(record);
  } else if (tag == "STAC") {
    while (record.Remaining() >= 8) {
      const int32_t line = record.ReadInt32();
      blocks.push_back({line, record.ReadInt32()});
    }
  } else if (tag == "PRGR") {
    messageNumber = record.ReadInt32();
  } else if (tag == "SCRP") {
    ReadScripts();
  } else if (tag == "MBGM") {
    ReadMapMusic();
  } else if (tag == "CLIC") {
    regionWait = true;
    while (record.Remaining() >= 16) {
      SClickRegion region;
      region.verb = record.ReadInt32();
      region.place = record.ReadInt32();
      region.color = record.ReadInt32();
      region.bodyLine = record.ReadInt32();
      regions.push_back(region);
    }
  } else if (tag == "SLCT") {
    choiceWait = true;
    while (record.Remaining() > 0) {
      SChoice choice;
      choice.text = record.ReadString();
      record.ReadInt32();
      choice.bodyLine = record.ReadInt32();
      choices.push_back(std::move(choice));
    }
  } else if (tag == "KEYW") {
    keyWait = true;
    keyWaitLine = record.ReadInt32();
    keyWaitIcon = record.ReadInt32() != 0;
  } else if (tag == "WAIT") {
    ReadWait();
  } else {
    return false;
  }
  return true;
}

bool CSaveReader::ReadLayerChunk(const std::string& tag) {
  if (tag == "LAYR" || tag == "LYPV") {
    SLayerState* layer = ReadLayerNumber();
    if (!layer) return true;
    const bool previous = tag == "LYPV";
    ReadPicture(previous ? layer->previous : layer->current);
    (previous ? layer->hasPrevious : layer->hasCurrent) = true;
  } else if (tag == "LYCM") {
    ReadMove();
  } else if (tag == "LYSC") {
    if (SLayerState* layer = ReadLayerNumber()) layer->current.colorMode = record.ReadInt32();
  } else if (tag == "CLMP") {
    game.Layers().SetColorMap(record.ReadInt32());
  } else if (tag == "LYAL") {
    if (SLayerState* layer = ReadLayerNumber()) layer->opacity = std::clamp(record.ReadInt32(), 0, 255);
  } else if (tag == "MPAN") {
    ReadTransition();
  } else if (tag == "MPSL") {
    mapSelect = true;
  } else if (tag == "MANS") {
    ReadMapAnswers();
  } else if (tag == "EFC2") {
    effectSet = true;
    effect = record.ReadInt32();
    effectColour = record.ReadInt32();
    effectLevel = record.ReadInt32();
    effectPlace = record.ReadInt32();
  } else {
    return false;
  }
  return true;
}

bool CSaveReader::ReadSceneChunk(const std::string& tag) {
  if (tag == "TEXT") {
    CMessagePage::CLine line = ReadPieces();
    if (textLine < CMessagePage::kLines) game.Text().Page().lines[textLine++] = std::move(line);
  } else if (tag == "PEND") {
    CMessagePage::CLine pieces = ReadPieces();
    game.Text().RestorePending(std::deque<CTextPiece>(pieces.begin(), pieces.end()));
  } else if (tag == "WIND") {
    ReadWindow();
  } else if (tag == "FACE") {
    game.Window().SetFace(ReadPath());
  } else if (tag == "DWIN") {
    game.Window().DatePlate().SetShown(record.ReadInt32() != 0);
  } else if (tag == "DATE") {
    CGameClock& clock = game.GameClock();
    for (int32_t* field : {&clock.year, &clock.month, &clock.day, &clock.hour, &clock.minute})
      *field = record.ReadInt32();
  } else if (tag == "TITL") {
    game.ScriptHost().SetSaveTitle(record.ReadString());
  } else if (tag == "SOUN") {
    ReadSounds();
  } else if (tag == "VOIC") {
    voice = ReadPath();
  } else if (tag == "ETC1") {
    game.Text().SetRevealFactor(record.ReadInt32());
    const int32_t layer = record.ReadInt32();
    game.Layers().SetSpeaker(layer >= -1 && layer < CLayerSet::kLayerCount ? layer : -1, record.ReadInt32());
  } else {
    return false;
  }
  return true;
}

std::string CSaveReader::ReadPath() {
  const std::string name = record.ReadString();
  return name.empty() ? name : ResolvePath(name);
}

void CSaveReader::ReadVariables() {
  CVariableStore::Map& variables = game.Variables().GameVariables();
  while (record.Remaining() > 0) {
    std::string name = record.ReadString();
    const int32_t value = record.ReadInt32();
    if (!name.empty()) variables[std::move(name)] = value;
  }
}

void CSaveReader::ReadScripts() {
  scripts.clear();
  while (record.Remaining() > 0) {
    SScriptEntry entry;
    entry.flag = record.ReadInt32();
    entry.name = ReadPath();
    entry.line = record.ReadInt32();
    entry.item = record.ReadInt32();
    scripts.push_back(std::move(entry));
  }
}

void CSaveReader::ReadMapMusic() {
  for (SScriptEntry& entry : scripts) {
    if (record.Remaining() == 0) break;
    entry.mapMusic = ReadPath();
  }
}

void CSaveReader::ReadMapAnswers() {
  CScriptHostAdapter& host = game.ScriptHost();
  while (record.Remaining() >= 9) {
    const int32_t index = record.ReadInt32();
    const int32_t person = record.ReadInt32();
    const std::string label = record.ReadString();
    // The same limits as the control word that sets an answer: other entries are left out.
    if (label.size() <= CSystemControl::kMaxLabel) host.SetMapAnswer(index, person, label);
  }
}

void CSaveReader::ReadWait() {
  wait.saved = true;
  for (int32_t* field : {&wait.mode, &wait.length, &wait.elapsed, &wait.soundMask, &wait.forced, &wait.always,
                         &wait.readPosition, &wait.hover, &wait.lineIndex})
    *field = record.ReadInt32();
}

CMessagePage::CLine CSaveReader::ReadPieces() {
  CMessagePage::CLine pieces;
  while (record.Remaining() > 0) {
    CTextPiece piece;
    piece.text = record.ReadString();
    piece.ruby = record.ReadString();
    piece.size = record.ReadInt32();
    piece.colour = static_cast<uint32_t>(record.ReadInt32());
    pieces.push_back(std::move(piece));
  }
  return pieces;
}

CSaveReader::SLayerState* CSaveReader::ReadLayerNumber() {
  const int32_t index = record.ReadInt32();
  if (index < 0 || index >= CLayerSet::kLayerCount) return nullptr;
  return &layers[static_cast<size_t>(index)];
}

void CSaveReader::ReadPicture(SLayerPicture& picture) {
  const int32_t colorMode = picture.colorMode;
  picture = SLayerPicture();
  picture.colorMode = colorMode;
  picture.src = ReadPath();
  picture.click = ReadPath();
  picture.x = record.ReadInt32();
  picture.y = record.ReadInt32();
  picture.zoom = std::clamp(record.ReadInt32(), 1, kMaxZoom);
  picture.flags = record.ReadInt32();
  picture.priority = record.ReadInt32();
  picture.time = std::max(record.ReadInt32(), 0);
}

void CSaveReader::ReadMove() {
  SLayerState* layer = ReadLayerNumber();
  if (!layer) return;
  SPictureMove& move = layer->current.move;
  for (int32_t* field : {&move.fromX, &move.fromY, &move.toX, &move.toY, &move.elapsed, &move.duration})
    *field = record.ReadInt32();
  move.loop = record.ReadInt32() != 0;
  layer->current.moving = move.duration > 0;
}

void CSaveReader::ReadTransition() {
  SLayerState* layer = ReadLayerNumber();
  if (!layer) return;
  layer->transition = record.ReadInt32();
  layer->elapsed = record.ReadInt32();
  layer->duration = record.ReadInt32();
  layer->gradation = record.ReadInt32();
  const std::vector<uint8_t> bytes = record.ReadBytes(CSaveWriter::kMaskNameBytes);
  const auto end = std::find(bytes.begin(), bytes.end(), uint8_t{0});
  const std::string mask(bytes.begin(), end);
  layer->mask = mask.empty() ? mask : ResolvePath(mask);
}

void CSaveReader::ReadWindow() {
  const bool shown = record.ReadInt32() != 0;
  const int32_t style = record.ReadInt32();
  game.Text().SetWindowStyle(style);
  game.Text().SetSpeaker(record.ReadString());
  game.Window().SetShown(shown);
}

void CSaveReader::ReadSounds() {
  sounds.clear();
  while (record.Remaining() > 0) {
    const int32_t channel = record.ReadInt32();
    std::string name = ReadPath();
    if (channel >= 0 && channel < CSoundSystem::kChannels && !name.empty())
      sounds.emplace_back(channel, std::move(name));
  }
}

// The call stack is rebuilt bottom first and the running script last; a script that cannot be
// opened any more is left out, so the game goes on with what is there.
void CSaveReader::RestoreScripts() {
  CScriptRunner& script = game.Script();
  for (const SScriptEntry& entry : scripts) {
    if (entry.flag == 2)
      script.RestoreRunning(entry.name, entry.line, entry.item, wait.readPosition);
    else
      script.RestoreCallFrame(entry.name, entry.line, entry.item, entry.mapMusic, entry.flag == 1);
  }
  if (!scripts.empty() && scripts.back().flag == 2) game.SetMapMusic(scripts.back().mapMusic);
  // Saved on the map itself: the map comes back as it was, without time passing.
  mapResumed = !scripts.empty() && scripts.back().flag == 1 && script.ResumeMap();
  script.RestoreBlocks(blocks);
  const int32_t lines = script.GetList() ? script.GetList()->GetCount() : 0;
  std::erase_if(choices, [lines](const SChoice& c) { return c.bodyLine < 0 || c.bodyLine > lines; });
  std::erase_if(regions, [lines](const SClickRegion& r) { return r.bodyLine < 0 || r.bodyLine > lines; });
}

void CSaveReader::RestoreLayers() {
  CLayerSet& set = game.Layers();
  for (int32_t index = 0; index < CLayerSet::kLayerCount; ++index) {
    const SLayerState& layer = layers[static_cast<size_t>(index)];
    if (layer.hasPrevious || layer.hasCurrent)
      set.RestorePictures(index, layer.hasPrevious ? &layer.previous : nullptr,
                          layer.hasCurrent ? &layer.current : nullptr);
    if (layer.transition != 0) {
      set.Layer(index).SetMask(layer.mask, layer.gradation);
      set.Layer(index).RestoreTransition(layer.transition, layer.elapsed, layer.duration);
    } else if (layer.hasPrevious) {
      set.Layer(index).EndTransition();
    }
    set.SetOpacity(index, layer.opacity);
  }
}

// The wait the game was saved in: the exact one of "WAIT" when it is a wait of the script, else
// the one the common chunks describe ("KEYW" the click wait with a new page, which a click wait
// saved at the end of a page needs); a record without any wait resumes the script.
int32_t CSaveReader::WaitMode() const {
  if (mapResumed) return CGameSystem::kModeMap;
  const bool hasChoices = !choices.empty(), hasRegions = !regions.empty();
  if (wait.saved) {
    const int32_t mode = wait.mode;
    if (mode == CGameSystem::kModeChoice) return hasChoices ? mode : CGameSystem::kModeClickWaitPage;
    if (mode == CGameSystem::kModeClickRegions) return hasRegions ? mode : CGameSystem::kModeClickWaitPage;
    if ((mode >= CGameSystem::kModeScript && mode <= CGameSystem::kModeSoundWait) ||
        mode == CGameSystem::kModeMapSelect)
      return mode;
  }
  if (mapSelect) return CGameSystem::kModeMapSelect;
  if (regionWait && hasRegions) return CGameSystem::kModeClickRegions;
  if (choiceWait && hasChoices) return CGameSystem::kModeChoice;
  if (keyWait || regionWait || choiceWait) return CGameSystem::kModeClickWaitPage;
  return CGameSystem::kModeScript;
}

void CSaveReader::EnterWait() {
  const int32_t mode = WaitMode();
  game.Choices() = choices;
  game.ClickRegions() = regions;
  const int32_t line = wait.saved && wait.lineIndex >= 0 ? wait.lineIndex : keyWaitLine;
  game.Text().SetLineIndex(std::clamp(line, 0, CMessagePage::kLines));
  game.SetWaitLength(std::max(wait.length, 0));
  game.SetMode(mode);
  if (mode >= CGameSystem::kModeEffectIn && mode <= CGameSystem::kModeSoundWait) {
    game.SetWaitLength(std::max(wait.length, 0));
    game.SetWaitElapsed(std::clamp(wait.elapsed, 0, game.WaitLength()));
  } else if (mode == CGameSystem::kModeText) {
    game.SetWaitElapsed(std::clamp(wait.elapsed, 0, game.WaitLength()));
  }
  if (mode == CGameSystem::kModeChoice || mode == CGameSystem::kModeClickRegions) {
    const int32_t count =
        static_cast<int32_t>(mode == CGameSystem::kModeChoice ? choices.size() : regions.size());
    game.SetChoiceHover(wait.hover >= -1 && wait.hover < count ? wait.hover : -1);
  }
  game.Script().RestoreWaitState(static_cast<uint32_t>(wait.soundMask), wait.forced != 0);
  game.Text().RestoreWaitFlags(keyWaitIcon, wait.always != 0);
  game.Script().TraceClickWait();
}
