#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "persist/RecordFile.h"
#include "persist/SystemDataHost.h"

// system.dat in the save folder: shared variables, the player configuration, the extras' unlock
// flags, changed keywords, the save slot used last, read flags per script, the voice category mask
// and a changed font face, kept between runs. Process-wide, like the settings it extends.
//
// The file is read at the end of settings::LoadSettings, before the engine exists, so the shared
// variables and read flags read are kept here until the engine attaches (at start-up it takes them
// into its own stores and attaches as the host); while attached, every write takes them from the
// engine. Everything else lives in the settings (configuration, keywords, extras, font face).
class CSystemData {
 public:
  // The least time between two writes at calm moments, in milliseconds of the engine's clock.
  static constexpr uint32_t kWriteIntervalMs = 3000;

  static CSystemData& Instance();

  // Tests qsave.dat for the quick-save flag, removes temporaries left by interrupted writes, then
  // reads system.dat from the save folder into the settings. True when system.dat was read.
  static bool ReadSystemData();
  // Writes system.dat to the save folder; false when the file could not be written (the previous
  // file is then unchanged).
  static bool WriteSystemData();

  // Starts over as if no file had been read: no shared values, no read flags, no quick save, slot 0.
  void Clear();
  // Applies a record's chunks (a body that passed the container test). Shared variables not
  // declared by the settings and keywords that are not declared are dropped.
  void Apply(CRecordFile& record);
  // The whole body, chunk by chunk, from the settings and the attached host.
  CRecordFile Build() const;
  bool Read(const std::string& hostPath);
  bool Write(const std::string& hostPath);

  // At a calm moment (the engine waits for the player): writes the file when its contents changed
  // since the last write and kWriteIntervalMs have passed since the last check. True when written.
  bool WriteIfChanged(uint32_t nowMs);

  // The quick-save-available flag: set from qsave.dat on reading and by every quick save.
  bool HasQuickSave() const { return quickSave; }
  void SetQuickSave(bool available) { quickSave = available; }
  // The save slot used last by a save or a load ("FILE").
  int32_t LastSlot() const { return lastSlot; }
  void SetLastSlot(int32_t slot) { lastSlot = slot; }

  // What was read for the engine to take at start-up.
  const std::map<std::string, int32_t>& SharedVariables() const { return sharedValues; }
  const std::map<std::string, std::vector<uint8_t>>& ReadFlagArrays() const { return readFlags; }
  // Makes host the source of shared variables and read flags (null detaches). A host that goes
  // away leaves its last values here, so a later write still has them.
  void Attach(ISystemDataHost* host);
  void Detach(const ISystemDataHost* host);

 private:
  void ApplyChunk(CRecordFile& record);
  void ApplyConfig(const std::string& tag, int32_t value);
  void ApplyReadFlags(CRecordFile& record);
  void WriteVariables(CRecordFile& record) const;
  void WriteKeywords(CRecordFile& record) const;
  void WriteReadFlags(CRecordFile& record) const;
  bool WriteRecord(const CRecordFile& record, const std::string& hostPath);

  std::map<std::string, int32_t> sharedValues;
  std::map<std::string, std::vector<uint8_t>> readFlags;
  ISystemDataHost* host = nullptr;
  bool quickSave = false;
  int32_t lastSlot = 0;
  // The body of the last successful write and the time of the last calm-moment check.
  std::vector<uint8_t> writtenBody;
  uint32_t lastCheck = 0;
};
