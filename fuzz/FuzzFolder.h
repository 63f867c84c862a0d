#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// A scratch game folder for targets whose parsers read through the file layer: created once per
// process, made the working directory, removed at exit. Inputs are written into it as loose files.
class CFuzzFolder {
 public:
  static CFuzzFolder& Instance();
  // Writes the bytes as the file at a relative path ('/' separators), creating its folders.
  void Write(const std::string& relative, const uint8_t* data, size_t size);
  void Write(const std::string& relative, const std::string& text);
  // Writes a small opaque PNG picture the targets' files may name.
  void WritePicture(const std::string& relative, int width, int height);

 private:
  CFuzzFolder();
  ~CFuzzFolder();
  std::string path;
  std::string previous;
};
