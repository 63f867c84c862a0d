// Builds the playable sample game from sample/: text sources are converted from UTF-8 to Shift JIS,
// generators render art and sound, and the system folder is packed into the "system" archive.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "SampleGenerator.h"
#include "io/ShiftJis.h"

namespace fs = std::filesystem;

namespace {

bool IsTextSource(const fs::path& p) {
  std::string ext = p.extension().string();
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext == ".adv" || ext == ".csv" || ext == ".scn" || ext == ".anm" || ext == ".txt";
}

bool CopySource(const fs::path& from, const fs::path& to) {
  fs::create_directories(to.parent_path());
  if (!IsTextSource(from)) {
    fs::copy_file(from, to, fs::copy_options::overwrite_existing);
    return true;
  }
  std::ifstream in(from, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  bool ok = true;
  std::string sjisText = sjis::FromUtf8(text, &ok);
  if (!ok) {
    std::fprintf(stderr, "samplebuild: %s has characters without a Shift JIS form\n", from.c_str());
    return false;
  }
  std::ofstream out(to, std::ios::binary);
  out << sjisText;
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fputs("usage: zel-samplebuild SAMPLE_DIR OUT_DIR ZELTOOL\n", stderr);
    return 2;
  }
  const fs::path source = fs::path(argv[1]) / "game";
  const fs::path out = argv[2];
  const fs::path stage = out.string() + ".stage";
  fs::remove_all(stage);
  fs::remove_all(out);
  for (const auto& entry : fs::recursive_directory_iterator(source)) {
    if (!entry.is_regular_file()) continue;
    if (!CopySource(entry.path(), stage / fs::relative(entry.path(), source))) return 1;
  }
  for (const CSampleGenerator* generator : CSampleGenerator::All()) {
    if (!generator->function(stage)) {
      std::fprintf(stderr, "samplebuild: generator %s failed\n", generator->name);
      return 1;
    }
  }
  // The system folder becomes the "system" archive; everything else stays loose.
  fs::create_directories(out);
  for (const auto& entry : fs::directory_iterator(stage)) {
    if (entry.path().filename() == "system") continue;
    fs::copy(entry.path(), out / entry.path().filename(), fs::copy_options::recursive);
  }
  std::string pack = std::string("\"") + argv[3] + "\" arc pack \"" + (out / "system").string() + "\" \"" +
                     (stage / "system").string() + "\"";
  if (std::system(pack.c_str()) != 0) {
    std::fputs("samplebuild: packing the system archive failed\n", stderr);
    return 1;
  }
  fs::remove_all(stage);
  return 0;
}
