// Packs the sample game's second archive, "extra.arc", mounted by the "アーカイブ" row of
// setting.csv with the prefix "extra": the game reads extra\readme.txt through it.
#include <string>
#include <vector>

#include "SampleGenerator.h"
#include "io/ArchiveWriter.h"

namespace {

std::vector<uint8_t> Bytes(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

bool WriteExtraArchive(const std::filesystem::path& stageDir) {
  const std::string readme =
      "ZEL サンプルゲーム\r\n"
      "この文書は二つ目のアーカイブ extra.arc から読まれています。\r\n";
  std::string table = "番号,名前\r\n";
  for (int i = 1; i <= 40; ++i) table += std::to_string(i) + ",項目" + std::to_string(i) + "\r\n";
  return CArchiveWriter::WriteAll((stageDir / "extra.arc").string(),
                                  {{"readme.txt", Bytes(readme)}, {"data\\table.csv", Bytes(table)}});
}

const CSampleGenerator kArchiveGenerator("extra archive", WriteExtraArchive);

}  // namespace
