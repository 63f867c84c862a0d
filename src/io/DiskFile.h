#pragma once
#include <cstdio>
#include <memory>
#include <string>

#include "io/ReadFile.h"

// A loose file on disk opened read-only.
class CDiskFile : public CReadFile {
 public:
  // Opens a file-system path; null when it cannot be opened.
  static std::unique_ptr<CDiskFile> Open(const std::string& hostPath);
  ~CDiskFile() override;
  CDiskFile(const CDiskFile&) = delete;
  CDiskFile& operator=(const CDiskFile&) = delete;

  size_t Read(void* buffer, size_t count) override;
  bool Seek(uint64_t target) override;
  uint64_t GetPosition() const override;
  uint64_t GetLength() const override { return length; }

 private:
  CDiskFile(FILE* file, uint64_t length) : file(file), length(length) {}
  FILE* file;
  uint64_t length;
};
