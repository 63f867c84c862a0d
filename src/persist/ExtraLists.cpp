#include "persist/ExtraLists.h"

#include "persist/CsvTable.h"

void CExtraLists::Clear() {
  album.clear();
  flashback.clear();
  music.clear();
}

void CExtraLists::Load() {
  Clear();
  LoadAlbum();
  LoadFlashback();
  LoadMusic();
}

void CExtraLists::LoadAlbum() {
  CCsvTable table;
  table.Load("system\\album\\list.csv");
  const int thumbnail = table.FindColumn("サムネイル");
  const int image = table.FindColumn("画像");
  const int category = table.FindColumn("カテゴリ");
  for (int row = 0; row < table.RowCount(); ++row) {
    SAlbumEntry entry;
    entry.thumbnail = table.GetCell(row, thumbnail, "");
    for (int column = image; column >= 0; ++column) {
      std::string cell = table.GetCell(row, column, "");
      if (cell.empty()) break;
      entry.images.push_back(cell);
    }
    entry.category = table.GetInt(row, category, 0);
    album.push_back(std::move(entry));
  }
}

void CExtraLists::LoadFlashback() {
  CCsvTable table;
  table.Load("system\\flashback\\list.csv");
  const int thumbnail = table.FindColumn("サムネイル");
  const int scenario = table.FindColumn("シナリオ");
  const int category = table.FindColumn("カテゴリ");
  for (int row = 0; row < table.RowCount(); ++row)
    flashback.push_back({false, table.GetCell(row, thumbnail, ""), table.GetCell(row, scenario, ""),
                         table.GetInt(row, category, 0)});
}

void CExtraLists::LoadMusic() {
  CCsvTable table;
  table.Load("system\\music\\list.csv");
  const int title = table.FindColumn("タイトル");
  const int file = table.FindColumn("ファイル");
  const int thumbnail = table.FindColumn("サムネイル");
  const int image = table.FindColumn("画像");
  for (int row = 0; row < table.RowCount(); ++row)
    music.push_back({false, table.GetCell(row, title, ""), table.GetCell(row, file, ""),
                     table.GetCell(row, thumbnail, ""), table.GetCell(row, image, "")});
}
