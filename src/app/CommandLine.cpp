#include "app/CommandLine.h"

#include <filesystem>

#include "io/ShiftJis.h"

namespace {

// A relative name made absolute against base; empty names and standard output ("-") stay.
void Anchor(std::string& name, const std::filesystem::path& base) {
  if (name.empty() || name == "-" || std::filesystem::path(name).is_absolute()) return;
  name = (base / name).lexically_normal().string();
}

bool ParseInteger(const std::string& text, int64_t minimum, int64_t maximum, int64_t& value) {
  if (text.empty() || text.size() > 12) return false;
  size_t i = text[0] == '-' ? 1 : 0;
  if (i == text.size()) return false;
  for (size_t k = i; k < text.size(); ++k)
    if (text[k] < '0' || text[k] > '9') return false;
  value = std::stoll(text);
  return value >= minimum && value <= maximum;
}

}  // namespace

const char* CCommandLine::Usage() {
  return "usage: zel [options] [GAME_DIR]\n"
         "  --headless             no window and no sound output; one tick per frame\n"
         "  --frames N             with --headless: stop after frame N\n"
         "  --input FILE           with --headless: scripted input\n"
         "  --shot FRAME FILE      with --headless: write the screen after FRAME as PNG (repeatable)\n"
         "  --trace FILE           engine events as JSON lines ('-' for standard output)\n"
         "  --answer yes|no        with --headless: the answer to Yes/No message boxes\n"
         "  --start SCRIPT[#LABEL] start a new game at SCRIPT (and LABEL)\n"
         "  --seed N               seed of the engine's random generator\n"
         "  --audio-out FILE       with --headless: write the mixed sound to a WAV file\n"
         "  --save-dir DIR         folder for save files and system.dat\n"
         "  --scale N              window only: show the screen N times larger\n"
         "  --fullscreen, --window start in that screen mode\n"
         "  --check-redraw         with --headless: compare every frame with a full redraw (exit 3)\n"
         "  --scaling sharp|smooth window only: integer scale centred, or fit with the proportions kept\n"
         "  --text-hook stdout     print every page shown as a JSON line (UTF-8)\n"
         "  --version, --help      print and exit\n";
}

void CCommandLine::ResolvePaths(const std::string& startFolder) {
  const std::filesystem::path base(startFolder);
  for (SShot& shot : shots) Anchor(shot.file, base);
  for (std::string* name : {&traceFile, &inputFile, &audioOut, &saveDir}) Anchor(*name, base);
}

bool CCommandLine::Parse(const std::vector<std::string>& args, std::string& error) {
  auto need = [&](size_t& i, size_t count) {
    if (i + count < args.size()) return true;
    error = args[i] + " needs " + (count == 1 ? "a value" : std::to_string(count) + " values");
    return false;
  };
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    int64_t n = 0;
    if (a == "--headless") {
      headless = true;
    } else if (a == "--frames") {
      if (!need(i, 1)) return false;
      if (!ParseInteger(args[++i], 0, INT32_MAX, n)) return error = "--frames needs a count", false;
      frames = n;
    } else if (a == "--input") {
      if (!need(i, 1)) return false;
      inputFile = args[++i];
    } else if (a == "--shot") {
      if (!need(i, 2)) return false;
      if (!ParseInteger(args[i + 1], 1, INT32_MAX, n)) return error = "--shot needs a frame number", false;
      shots.push_back({n, args[i + 2]});
      i += 2;
    } else if (a == "--trace") {
      if (!need(i, 1)) return false;
      traceFile = args[++i];
    } else if (a == "--answer") {
      if (!need(i, 1)) return false;
      const std::string& v = args[++i];
      if (v != "yes" && v != "no") return error = "--answer takes yes or no", false;
      answerYes = v == "yes";
    } else if (a == "--start") {
      if (!need(i, 1)) return false;
      std::string value = args[++i];
      // A name that is not valid UTF-8 is taken as Shift JIS bytes.
      if (sjis::IsValidUtf8(value)) value = sjis::FromUtf8(value);
      const size_t hash = value.find('#');
      startScript = value.substr(0, hash);
      if (hash != std::string::npos) startLabel = value.substr(hash + 1);
      if (startScript.empty()) return error = "--start needs a script", false;
    } else if (a == "--seed") {
      if (!need(i, 1)) return false;
      if (!ParseInteger(args[++i], 0, UINT32_MAX, n)) return error = "--seed needs a number", false;
      seed = static_cast<uint32_t>(n);
    } else if (a == "--audio-out") {
      if (!need(i, 1)) return false;
      audioOut = args[++i];
    } else if (a == "--save-dir") {
      if (!need(i, 1)) return false;
      saveDir = args[++i];
    } else if (a == "--scale") {
      if (!need(i, 1)) return false;
      if (!ParseInteger(args[++i], 1, 16, n)) return error = "--scale needs an integer from 1 to 16", false;
      scale = static_cast<int>(n);
    } else if (a == "--fullscreen" || a == "--window") {
      fullscreen = a == "--fullscreen";
    } else if (a == "--scaling") {
      if (!need(i, 1)) return false;
      scaling = CViewport::Parse(args[++i]);
      if (!scaling) return error = "--scaling takes sharp or smooth", false;
    } else if (a == "--text-hook") {
      if (!need(i, 1)) return false;
      if (args[++i] != "stdout") return error = "--text-hook takes stdout", false;
      textHook = true;
    } else if (a == "--check-redraw") {
      checkRedraw = true;
    } else if (a == "--version") {
      showVersion = true;
    } else if (a == "--help" || a == "-h") {
      showHelp = true;
    } else if (!a.empty() && a[0] == '-') {
      error = "unknown option " + a;
      return false;
    } else if (gameDir.empty()) {
      gameDir = a;
    } else {
      error = "more than one game folder given";
      return false;
    }
  }
  if (checkRedraw && !headless) return error = "--check-redraw needs --headless", false;
  return true;
}
