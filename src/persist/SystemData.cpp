#include "persist/SystemData.h"

#include <algorithm>
#include <array>

#include "io/AtomicFile.h"
#include "io/Path.h"
#include "persist/Settings.h"

namespace {

// The read flags of one script never need more bits: the message text marks no message number
// beyond this, so a larger stored capacity is damage and is not read into memory.
constexpr int32_t kMaxReadBits = 1 << 24;

// A configuration item kept in system.dat, with the range a stored value is clamped to (the file
// may come from another version or be edited).
struct SConfigTag {
  const char* tag;
  int item;
  int32_t low, high;
};

constexpr std::array<SConfigTag, 10> kConfigTags{{
    {"SCRN", CPlayerConfig::kScreenMode, 0, 1},
    {"SKEF", CPlayerConfig::kEffects, 0, 1},
    {"SPED", CPlayerConfig::kTextSpeed, 0, 100},
    {"SKNW", CPlayerConfig::kSkipMode, 0, 1},
    {"SKCN", CPlayerConfig::kSkipContinue, 0, 1},
    {"SWRD", CPlayerConfig::kReadMark, 0, 1},
    {"ATSP", CPlayerConfig::kAutoWait, 0, 120},
    {"VOL0", CPlayerConfig::kVolumeBgm, 0, 256},
    {"VOL1", CPlayerConfig::kVolumeVoice, 0, 256},
    {"VOL2", CPlayerConfig::kVolumeSe, 0, 256},
}};

// Flag k of the list takes bit k for every k the bit set and the list both have.
template <class TEntry>
void ApplyBits(const std::vector<bool>& bits, std::vector<TEntry>& list, bool TEntry::*flag) {
  for (size_t k = 0; k < bits.size() && k < list.size(); ++k) list[k].*flag = bits[k];
}

template <class TEntry>
void WriteBits(CRecordFile& record, const char* tag, const std::vector<TEntry>& list, bool TEntry::*flag) {
  std::vector<bool> bits;
  for (const TEntry& entry : list) bits.push_back(entry.*flag);
  record.BeginChunk(tag);
  record.WriteBits(bits);
  record.EndChunk();
}

void WriteInt(CRecordFile& record, const char* tag, int32_t value) {
  record.BeginChunk(tag);
  record.WriteInt32(value);
  record.EndChunk();
}

std::string FilePath(const char* name) { return settings::SaveDirectory() + name; }

}  // namespace

CSystemData& CSystemData::Instance() {
  static CSystemData data;
  return data;
}

bool CSystemData::ReadSystemData() {
  CSystemData& data = Instance();
  data.Clear();
  CAtomicFile::RemoveLeftovers(settings::SaveDirectory());
  data.quickSave = CRecordFile::TestFile(FilePath("qsave.dat"));
  return data.Read(FilePath("system.dat"));
}

bool CSystemData::WriteSystemData() { return Instance().Write(FilePath("system.dat")); }

void CSystemData::Clear() {
  sharedValues.clear();
  for (const std::string& name : settings::SharedVariableNames()) sharedValues[name] = 0;
  readFlags.clear();
  quickSave = false;
  lastSlot = 0;
  writtenBody.clear();
  lastCheck = 0;
}

bool CSystemData::Read(const std::string& hostPath) {
  CRecordFile record;
  if (!record.LoadFromFile(hostPath)) return false;
  Apply(record);
  return true;
}

void CSystemData::Apply(CRecordFile& record) {
  while (record.NextChunk()) ApplyChunk(record);
}

void CSystemData::ApplyChunk(CRecordFile& record) {
  const std::string& tag = record.Tag();
  CExtraLists& extras = settings::Extras();
  if (tag == "VAR ") {
    while (record.Remaining() > 0) {
      std::string name = record.ReadString();
      int32_t value = record.ReadInt32();
      if (auto it = sharedValues.find(name); it != sharedValues.end()) it->second = value;
    }
  } else if (tag == "ALBM") {
    ApplyBits(record.ReadBits(), extras.Album(), &SAlbumEntry::seen);
  } else if (tag == "FLSH") {
    ApplyBits(record.ReadBits(), extras.Flashback(), &SFlashbackEntry::seen);
  } else if (tag == "MSIC") {
    ApplyBits(record.ReadBits(), extras.Music(), &SMusicEntry::unlocked);
  } else if (tag == "KYWD") {
    std::string key = record.ReadString();
    std::string value = record.ReadString();
    if (settings::Keywords().Has(key)) settings::Keywords().Set(key, value);
  } else if (tag == "FILE") {
    // The save screens index their slots with it: a slot the game does not offer becomes slot 0.
    const int32_t slot = record.ReadInt32();
    lastSlot = slot >= 0 && slot < settings::SaveSlotCount() ? slot : 0;
  } else if (tag == "READ") {
    ApplyReadFlags(record);
  } else if (tag == "VCMS") {
    settings::Config().SetVoiceMask(static_cast<uint32_t>(record.ReadInt32()));
  } else if (tag == "FONT") {
    // An empty face would leave the text without a font; the configured one stays instead.
    if (std::string face = record.ReadString(); !face.empty()) settings::SetFontName(face);
  } else {
    ApplyConfig(tag, record.ReadInt32());
  }
}

void CSystemData::ApplyConfig(const std::string& tag, int32_t value) {
  for (const SConfigTag& config : kConfigTags)
    if (tag == config.tag)
      settings::Config().SetValue(config.item, std::clamp(value, config.low, config.high));
}

void CSystemData::ApplyReadFlags(CRecordFile& record) {
  const std::string script = ResolvePath(record.ReadString());
  const int32_t capacity = record.ReadInt32();
  if (script.empty() || capacity <= 0 || capacity > kMaxReadBits) return;
  std::vector<uint8_t> bytes = record.ReadBytes(static_cast<size_t>(capacity) / 8);
  if (!bytes.empty()) readFlags[script] = std::move(bytes);
}

CRecordFile CSystemData::Build() const {
  CRecordFile record;
  WriteVariables(record);
  const CPlayerConfig& config = settings::Config();
  for (const SConfigTag& item : kConfigTags) WriteInt(record, item.tag, config.Value(item.item));
  CExtraLists& extras = settings::Extras();
  WriteBits(record, "ALBM", extras.Album(), &SAlbumEntry::seen);
  WriteBits(record, "FLSH", extras.Flashback(), &SFlashbackEntry::seen);
  WriteBits(record, "MSIC", extras.Music(), &SMusicEntry::unlocked);
  WriteKeywords(record);
  WriteInt(record, "FILE", lastSlot);
  WriteReadFlags(record);
  WriteInt(record, "VCMS", static_cast<int32_t>(config.VoiceMask()));
  if (settings::FontName() != settings::DefaultFontName()) {
    record.BeginChunk("FONT");
    record.WriteString(settings::FontName());
    record.EndChunk();
  }
  record.WriteEmptyChunk("END ");
  return record;
}

void CSystemData::WriteVariables(CRecordFile& record) const {
  const std::map<std::string, int32_t> values = host ? host->SharedVariables() : sharedValues;
  record.BeginChunk("VAR ");
  for (const std::string& name : settings::SharedVariableNames()) {
    auto it = values.find(name);
    record.WriteString(name);
    record.WriteInt32(it != values.end() ? it->second : 0);
  }
  record.EndChunk();
}

void CSystemData::WriteKeywords(CRecordFile& record) const {
  // A keyword changed in the engine's substitutions or in the settings' keyword table counts as
  // changed; the engine's text wins because that is the text the player sees.
  const CKeywords& keywords = settings::Keywords();
  const std::map<std::string, std::string> engine =
      host ? host->Keywords() : std::map<std::string, std::string>();
  for (const auto& [key, current] : keywords.Current()) {
    const std::string& fallback = keywords.GetDefault(key);
    auto it = engine.find(key);
    const std::string& value = it != engine.end() && it->second != fallback ? it->second : current;
    if (value == fallback) continue;
    record.BeginChunk("KYWD");
    record.WriteString(key);
    record.WriteString(value);
    record.EndChunk();
  }
}

void CSystemData::WriteReadFlags(CRecordFile& record) const {
  const std::map<std::string, std::vector<uint8_t>> arrays = host ? host->ReadFlagArrays() : readFlags;
  for (const auto& [script, bytes] : arrays) {
    if (bytes.empty()) continue;
    record.BeginChunk("READ");
    record.WriteString(MakeRelativePath(script));
    record.WriteInt32(static_cast<int32_t>(bytes.size() * 8));
    record.WriteBytes(bytes.data(), bytes.size());
    record.EndChunk();
  }
}

bool CSystemData::Write(const std::string& hostPath) { return WriteRecord(Build(), hostPath); }

bool CSystemData::WriteRecord(const CRecordFile& record, const std::string& hostPath) {
  if (!record.WriteToFile(hostPath)) return false;
  writtenBody = record.PlainBody();
  return true;
}

bool CSystemData::WriteIfChanged(uint32_t nowMs) {
  if (nowMs - lastCheck < kWriteIntervalMs) return false;
  lastCheck = nowMs;
  CRecordFile record = Build();
  return record.PlainBody() != writtenBody && WriteRecord(record, FilePath("system.dat"));
}

void CSystemData::Attach(ISystemDataHost* newHost) {
  if (host && host != newHost) Detach(host);
  host = newHost;
}

void CSystemData::Detach(const ISystemDataHost* oldHost) {
  if (!host || host != oldHost) return;
  sharedValues = host->SharedVariables();
  readFlags = host->ReadFlagArrays();
  host = nullptr;
}
