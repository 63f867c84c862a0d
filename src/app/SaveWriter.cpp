#include "app/SaveWriter.h"

#include <algorithm>
#include <deque>

#include "app/GameSystem.h"
#include "app/ScriptHostAdapter.h"
#include "audio/SoundSystem.h"
#include "io/Path.h"
#include "persist/RecordFile.h"
#include "script/ScriptRunner.h"
#include "ui/MessageText.h"
#include "ui/MessageWindow.h"

void CSaveWriter::Write(const SSaveThumbnail* thumbnail) {
  record.BeginChunk("VAR ");
  for (const auto& [name, value] : game.Variables().GameVariables()) {
    record.WriteString(name);
    record.WriteInt32(value);
  }
  record.EndChunk();
  // The flag arrays per file are the done marks of the map schedules.
  record.BeginChunk("EVNT");
  game.DoneMarks().Write(record);
  record.EndChunk();
  WriteScriptState();
  WriteWaits();
  for (const CMessagePage::CLine& line : game.Text().Page().lines) WritePieces("TEXT", line);
  const std::deque<CTextPiece>& pending = game.Text().Pending();
  if (!pending.empty()) WritePieces("PEND", CMessagePage::CLine(pending.begin(), pending.end()));
  WriteLayers();
  if (game.Mode() == CGameSystem::kModeMapSelect) record.WriteEmptyChunk("MPSL");
  WriteMapAnswers();
  const CScreenEffect& effect = game.Layers().Effect();
  if (effect.Effect() != 0)
    WriteInts("EFC2",
              {effect.Effect(), static_cast<int32_t>(effect.Colour()), effect.Level(), effect.Place()});
  WriteWindow();
  WriteText("TITL", game.ScriptHost().SaveTitle());
  WriteInts("CPTR", {game.Variables().GetVariable("CASE")});
  WriteSounds();
  if (thumbnail) WriteThumbnail(*thumbnail);
  WriteInts("ETC1", {game.Text().RevealFactor(), game.Layers().SpeakingLayer(), game.Layers().SpeakerKey()});
  record.WriteEmptyChunk("END ");
}

// "MANS": the answers of the map selection set so far (index, person, label), also before the
// selection opens, so a load offers the same answers.
void CSaveWriter::WriteMapAnswers() {
  const auto& answers = game.ScriptHost().MapAnswers();
  if (std::all_of(answers.begin(), answers.end(), [](const auto& answer) { return answer.label.empty(); }))
    return;
  record.BeginChunk("MANS");
  for (size_t i = 0; i < answers.size(); ++i) {
    if (answers[i].label.empty()) continue;
    record.WriteInt32(static_cast<int32_t>(i));
    record.WriteInt32(answers[i].person);
    record.WriteString(answers[i].label);
  }
  record.EndChunk();
}

void CSaveWriter::WriteInts(const char* tag, std::initializer_list<int32_t> values) {
  record.BeginChunk(tag);
  for (int32_t value : values) record.WriteInt32(value);
  record.EndChunk();
}

void CSaveWriter::WriteText(const char* tag, const std::string& text) {
  record.BeginChunk(tag);
  record.WriteString(text);
  record.EndChunk();
}

// "SCRP" holds the call stack bottom first and the running script last; the flag says which kind
// each entry is (0 a suspended script, 1 a map frame, 2 the running script) and the positions are
// the line and item index. "MBGM" holds each entry's map music.
void CSaveWriter::WriteScriptState() {
  const CScriptRunner& script = game.Script();
  record.BeginChunk("STAC");
  for (const CScriptRunner::SBlockFrame& frame : script.GetBlockStack()) {
    record.WriteInt32(frame.line);
    record.WriteInt32(frame.kind);
  }
  record.EndChunk();
  WriteInts("PRGR", {game.Text().MessageNumber()});
  record.BeginChunk("SCRP");
  for (const CScriptRunner::SCallFrame& frame : script.GetCallStack()) {
    record.WriteInt32(frame.list ? 0 : 1);
    record.WriteString(MakeRelativePath(frame.name));
    record.WriteInt32(frame.lineIndex);
    record.WriteInt32(frame.itemIndex);
  }
  // On the map itself nothing runs: the map is kept as the map frame it becomes when an event starts.
  const bool onMap = !script.GetList() && game.Mode() == CGameSystem::kModeMap;
  if (script.GetList() || onMap) {
    record.WriteInt32(onMap ? 1 : 2);
    record.WriteString(MakeRelativePath(script.GetScriptName()));
    record.WriteInt32(script.GetLineIndex());
    record.WriteInt32(script.GetItemIndex());
  }
  record.EndChunk();
  record.BeginChunk("MBGM");
  for (const CScriptRunner::SCallFrame& frame : script.GetCallStack())
    record.WriteString(frame.mapMusic.empty() ? "" : MakeRelativePath(frame.mapMusic));
  if (script.GetList() || onMap)
    record.WriteString(game.MapMusic().empty() ? "" : MakeRelativePath(game.MapMusic()));
  record.EndChunk();
}

// "WAIT": engine mode, wait length and elapsed ticks, the sound-wait mask, the forced-wait and
// always-wait flags, the read position, the hovered choice and the page's line index, so a load resumes the
// very wait.
void CSaveWriter::WriteWaits() {
  const int32_t mode = game.Mode();
  if (mode == CGameSystem::kModeClickRegions) {
    record.BeginChunk("CLIC");
    for (const SClickRegion& region : game.ClickRegions()) {
      record.WriteInt32(region.verb);
      record.WriteInt32(region.place);
      record.WriteInt32(region.color);
      record.WriteInt32(region.bodyLine);
    }
    record.EndChunk();
  }
  if (mode == CGameSystem::kModeChoice) {
    record.BeginChunk("SLCT");
    for (const SChoice& choice : game.Choices()) {
      record.WriteString(choice.text);
      record.WriteInt32(-1);
      record.WriteInt32(choice.bodyLine);
    }
    record.EndChunk();
  }
  if (mode == CGameSystem::kModeClickWait || mode == CGameSystem::kModeClickWaitPage)
    WriteInts("KEYW", {game.Text().LineIndex(), game.Text().ShowsKeyWaitIcon() ? 1 : 0});
  const CScriptRunner& script = game.Script();
  WriteInts("WAIT",
            {mode, game.WaitLength(), game.WaitElapsed(), static_cast<int32_t>(script.GetSoundWaitMask()),
             script.IsForcedWait() ? 1 : 0, game.Text().IsWaitAlways() ? 1 : 0, script.GetReadPosition(),
             game.ChoiceHover(), game.Text().LineIndex()});
}

void CSaveWriter::WritePieces(const char* tag, const CMessagePage::CLine& pieces) {
  record.BeginChunk(tag);
  for (const CTextPiece& piece : pieces) {
    record.WriteString(piece.text);
    record.WriteString(piece.ruby);
    record.WriteInt32(piece.size);
    record.WriteInt32(static_cast<int32_t>(piece.colour));
  }
  record.EndChunk();
}

// "LAYR" and "LYPV": layer, picture file, click map, x, y, then the picture state: zoom percent,
// flags (1 mirrored, 2 loops from its start), priority, animation time in ticks.
void CSaveWriter::WritePicture(const char* tag, int32_t layer, const SLayerPicture& picture) {
  record.BeginChunk(tag);
  record.WriteInt32(layer);
  record.WriteString(MakeRelativePath(picture.src));
  record.WriteString(picture.click.empty() ? "" : MakeRelativePath(picture.click));
  for (int32_t value : {picture.x, picture.y, picture.zoom, picture.flags, picture.priority, picture.time})
    record.WriteInt32(value);
  record.EndChunk();
}

void CSaveWriter::WriteLayers() {
  const CLayerSet& layers = game.Layers();
  for (int32_t index = 0; index < CLayerSet::kLayerCount; ++index) {
    SLayerPicture picture;
    if (layers.GetPicture(index, true, picture)) WritePicture("LYPV", index, picture);
    if (!layers.GetPicture(index, false, picture)) continue;
    WritePicture("LAYR", index, picture);
    if (picture.moving) {
      const SPictureMove& m = picture.move;
      WriteInts("LYCM", {index, m.fromX, m.fromY, m.toX, m.toY, m.elapsed, m.duration, m.loop ? 1 : 0});
    }
    if (picture.colorMode != 0) WriteInts("LYSC", {index, picture.colorMode});
  }
  if (layers.ColorMap() != 0) WriteInts("CLMP", {layers.ColorMap()});
  for (int32_t index = 0; index < CLayerSet::kLayerCount; ++index)
    if (layers.Layer(index).Opacity() != 255) WriteInts("LYAL", {index, layers.Layer(index).Opacity()});
  for (int32_t index = 0; index < CLayerSet::kLayerCount; ++index)
    if (layers.Layer(index).Transition().IsRunning()) WriteTransition(index);
}

void CSaveWriter::WriteTransition(int32_t index) {
  const CLayer& layer = game.Layers().Layer(index);
  record.BeginChunk("MPAN");
  record.WriteInt32(index);
  record.WriteInt32(layer.Transition().Number());
  record.WriteInt32(layer.Transition().Elapsed());
  record.WriteInt32(layer.Transition().Duration());
  record.WriteInt32(layer.Gradation());
  // A mask name that does not fit is left out rather than cut into a wrong name.
  std::vector<uint8_t> mask(kMaskNameBytes, 0);
  const std::string name = layer.MaskName().empty() ? "" : MakeRelativePath(layer.MaskName());
  if (name.size() < kMaskNameBytes) std::copy(name.begin(), name.end(), mask.begin());
  record.WriteBytes(mask.data(), mask.size());
  record.EndChunk();
}

void CSaveWriter::WriteWindow() {
  record.BeginChunk("WIND");
  record.WriteInt32(game.Window().IsShown() ? 1 : 0);
  record.WriteInt32(game.Text().WindowStyle());
  record.WriteString(game.Text().Page().speaker);
  record.EndChunk();
  const std::string& face = game.Window().FaceName();
  WriteText("FACE", face.empty() ? "" : MakeRelativePath(face));
  WriteInts("DWIN", {game.Window().DatePlate().IsShown() ? 1 : 0});
  const CGameClock& clock = game.GameClock();
  WriteInts("DATE", {clock.year, clock.month, clock.day, clock.hour, clock.minute});
}

void CSaveWriter::WriteSounds() {
  CSoundSystem& sound = game.Sound();
  record.BeginChunk("SOUN");
  for (const auto& [channel, name] : sound.Registry()) {
    record.WriteInt32(channel);
    record.WriteString(MakeRelativePath(name));
  }
  record.EndChunk();
  // A voice plays once and is not registered; it is kept so a load speaks the line again.
  const std::string& voice = game.Text().Page().voice;
  if (!voice.empty() && !sound.Registry().contains(CSoundSystem::kVoiceChannel) &&
      sound.IsChannelPlaying(CSoundSystem::kVoiceChannel))
    WriteText("VOIC", MakeRelativePath(voice));
}

void CSaveWriter::WriteThumbnail(const SSaveThumbnail& thumbnail) {
  record.BeginChunk("THUM");
  record.WriteInt32(thumbnail.width);
  record.WriteInt32(thumbnail.height);
  std::vector<uint8_t> bytes;
  bytes.reserve(thumbnail.pixels.size() * 4);
  for (uint32_t pixel : thumbnail.pixels) {
    bytes.push_back(static_cast<uint8_t>(pixel));
    bytes.push_back(static_cast<uint8_t>(pixel >> 8));
    bytes.push_back(static_cast<uint8_t>(pixel >> 16));
    bytes.push_back(255);
  }
  record.WriteBytes(bytes.data(), bytes.size());
  record.EndChunk();
}
