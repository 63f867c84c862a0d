#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// A readable file object handed out by the file layer: an archive entry decoded into memory or a
// loose file on disk. The caller owns it.
class CReadFile {
public:
  virtual ~CReadFile() = default;
  // Reads up to count bytes; returns the number read (0 at the end).
  virtual size_t Read(void* buffer, size_t count) = 0;
  // Moves to an absolute position; false when it lies beyond the end.
  virtual bool Seek(uint64_t position) = 0;
  virtual uint64_t GetPosition() const = 0;
  virtual uint64_t GetLength() const = 0;
  const std::string& GetFileName() const { return fileName; }
  void SetFileName(const std::string& name) { fileName = name; }

private:
  std::string fileName;
};
