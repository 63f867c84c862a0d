// CSV tables and the settings loader: the bytes become setting.csv in the system archive of a game,
// the whole loader runs, and the screen it asks for is created.
#include <string>

#include "FuzzFolder.h"
#include "FuzzTarget.h"
#include "gfx/Display.h"
#include "io/ArchiveWriter.h"
#include "persist/CsvTable.h"
#include "persist/Settings.h"

ZEL_FUZZ_TARGET(settings) {
  CFuzzFolder::Instance();  // the scratch folder becomes the working directory
  const std::string text(reinterpret_cast<const char*>(data), size);
  CCsvTable table;
  table.Parse(text);
  for (int row = 0; row < table.RowCount() && row < 64; ++row) {
    CCsvTable::ParseInt(table.GetCell(row, 1, "0"));
    CCsvTable::ParseColor(table.GetCell(row, 2, ""));
  }
  CArchiveWriter::WriteAll("system", {{"setting.csv", std::vector<uint8_t>(data, data + size)}});
  if (settings::LoadSettings()) {
    CDisplay display;
    display.Init(nullptr, settings::ScreenWidth(), settings::ScreenHeight(), true);
    const CMapTable& maps = settings::MapTable();
    for (int n = 0; n < maps.MapCount() && n < 16; ++n) maps.Layout(n, 0);
  }
  return 0;
}
