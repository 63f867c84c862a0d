// .scn layouts: parsed, images named by the controls loaded, every control drawn and navigated.
#include <string>
#include <vector>

#include "FuzzFolder.h"
#include "FuzzTarget.h"
#include "gfx/Display.h"
#include "ui/Layout.h"

ZEL_FUZZ_TARGET(scn) {
  static CDisplay display;
  static const bool ready = [] {
    display.Init(nullptr, 64, 48, true);
    // The pictures the seed layouts name.
    for (const char* name : {"window", "buttons", "date", "select", "verb"})
      CFuzzFolder::Instance().WritePicture(std::string("layout/") + name + ".png", 24, 16);
    return true;
  }();
  (void)ready;
  CFuzzFolder::Instance().Write("layout/fuzz.scn", data, size);
  CLayout layout;
  layout.Load(display, "layout\\fuzz.scn");
  display.MarkAllDirty();
  layout.DrawAll(0.5f);
  layout.Invalidate();
  std::vector<std::string> names;
  for (int i = 0; i < layout.ControlCount() && i < 16; ++i) {
    layout.Draw(layout.Control(i).name, 1.0f, i, 0.5f);
    names.push_back(layout.Control(i).name);
  }
  layout.NextControl(names, -1, 1);
  return 0;
}
