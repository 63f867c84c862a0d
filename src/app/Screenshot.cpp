#include "app/Screenshot.h"

#include <cstdio>
#include <filesystem>

#include "gfx/Display.h"
#include "gfx/PngWriter.h"
#include "io/ShiftJis.h"
#include "io/Trace.h"
#include "persist/Settings.h"
#include "platform/FileSystem.h"

std::string CScreenshot::FileName(const std::string& titleUtf8, const std::tm& time, int number) {
  std::string name;
  for (const char c : titleUtf8) {
    const bool unsafe = c == '/' || c == '\\' || (static_cast<unsigned char>(c) < 0x20);
    name += unsafe ? '_' : c;
  }
  if (name.empty() || name == "." || name == "..") name = "zel";
  char stamp[32];
  std::strftime(stamp, sizeof stamp, " %Y-%m-%d %H-%M-%S", &time);
  name += stamp;
  if (number > 1) name += " " + std::to_string(number);
  return name + ".png";
}

std::string CScreenshot::Folder(IFileSystem& files) {
  const std::string pictures = files.PicturesDirectory();
  if (!pictures.empty() && files.DirectoryExists(pictures)) return pictures + "/zel";
  std::string saves = settings::SaveDirectory();
  if (!saves.empty() && saves.back() == '/') saves.pop_back();
  return saves;
}

std::string CScreenshot::Save(const CDisplay& display, const std::string& titleSjis,
                              const std::string& folder) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  std::error_code ec;
  std::string path;
  for (int number = 1; path.empty() || std::filesystem::exists(path, ec); ++number)
    path = folder + "/" + FileName(sjis::ToUtf8(titleSjis), local, number);
  std::filesystem::create_directories(folder, ec);
  const bool ok = display.Pixels() && CPngWriter::Write(path, display.Pixels(), display.Width(),
                                                        display.Height(), display.Width(), false);
  // The trace takes Shift JIS; the file name is the file system's UTF-8.
  CTrace::Event("screenshot", {{"file", sjis::FromUtf8(path)}, {"ok", ok}});
  if (!ok) std::fprintf(stderr, "zel: cannot write the screenshot %s\n", path.c_str());
  return ok ? path : std::string();
}
