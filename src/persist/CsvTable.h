#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A comma-separated Shift JIS table: the first line names the columns, every further line is a
// row. There is no quoting; an empty cell between commas is kept, a comma at the end of a line
// adds no cell, and an empty line is a row without cells.
class CCsvTable {
 public:
  // Replaces the contents with a file read through the file layer (archives, then loose files).
  // False, with the table emptied, when the file cannot be opened.
  bool Load(const std::string& path);
  // Replaces the contents with text held in memory.
  void Parse(const std::string& text);

  // The first header cell equal to name, or -1.
  int FindColumn(const std::string& name) const;
  int RowCount() const { return static_cast<int>(rows.size()); }
  const std::vector<std::string>& Header() const { return header; }
  const std::vector<std::string>& Row(int row) const { return rows[row]; }
  // The cell, or defaultValue when the column is negative or the row has no such cell.
  std::string GetCell(int row, int column, const std::string& defaultValue) const;
  // The cell as a decimal integer, or defaultValue when it is empty or missing.
  int GetInt(int row, int column, int defaultValue) const;

  // A decimal integer: leading blanks, an optional sign, digits up to the first other character;
  // clamped to 32 bits.
  static int ParseInt(const std::string& text);
  // Every hexadecimal digit in order, other characters ignored; opaque sets the alpha byte.
  static uint32_t ParseColor(const std::string& text, bool opaque = true);

 private:
  std::vector<std::string> header;
  std::vector<std::vector<std::string>> rows;
};
