// system.dat: the bytes as a file (container test) and as a plain body, applied to a game whose
// settings declare shared variables, keywords and extras lists, then written back as a body.
#include <vector>

#include "FuzzFolder.h"
#include "FuzzTarget.h"
#include "io/ArchiveWriter.h"
#include "persist/Settings.h"
#include "persist/SystemData.h"

namespace {

// The game the stored values apply to, loaded once per process.
void LoadGame() {
  static const bool loaded = [] {
    CFuzzFolder::Instance();
    auto bytes = [](const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); };
    CArchiveWriter::WriteAll(
        "system",
        {{"setting.csv", bytes("項目,パラメータ\n共有変数,A\n共有変数,B\nキーワード,主人公の名前,あなた\n")},
         {"album\\list.csv", bytes("画像\na.png\nb.png\n")},
         {"flashback\\list.csv", bytes("シナリオ\nf.adv\n")},
         {"music\\list.csv", bytes("ファイル\nm.ogg\nn.ogg\no.ogg\n")}});
    return settings::LoadSettings();
  }();
  (void)loaded;
}

void ApplyAndBuild(CRecordFile& record) {
  CSystemData& data = CSystemData::Instance();
  data.Clear();
  settings::ResetConfig();
  settings::Keywords().ResetToDefaults();
  data.Apply(record);
  data.Build();
}

}  // namespace

ZEL_FUZZ_TARGET(systemdata) {
  LoadGame();
  const std::vector<uint8_t> bytes(data, data + size);
  CRecordFile file;
  if (file.Decode(bytes)) ApplyAndBuild(file);
  CRecordFile plain(bytes);
  ApplyAndBuild(plain);
  return 0;
}
