#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Writes a whole file so that a failure or a killed process never damages the file it replaces:
// the bytes go to a temporary file in the same folder, which is flushed, synced and renamed over
// the old file; then the folder is synced so the rename itself survives a crash. On any failure
// the old file is left as it was, the temporary file is removed and false is returned.
//
// A temporary file left behind by a killed process is never read (readers open the real name)
// and is removed by the next write of that file or by RemoveLeftovers.
class CAtomicFile {
 public:
  // Appended to the target's name to make the temporary file's name.
  static constexpr const char* kTempSuffix = ".zel-tmp";

  // The step at which an injected fault makes the write fail, for tests of the failure paths.
  enum class EFault { kNone, kCreate, kWrite, kSync, kRename };

  // Writes bytes to hostPath (a file-system path), creating missing folders unless told not to.
  static bool Write(const std::string& hostPath, const void* data, size_t size, bool createFolders = true);
  static bool Write(const std::string& hostPath, const std::vector<uint8_t>& bytes,
                    bool createFolders = true) {
    return Write(hostPath, bytes.data(), bytes.size(), createFolders);
  }
  // Removes the temporary files of earlier, interrupted writes in a folder; returns how many.
  static int RemoveLeftovers(const std::string& folder);

  // Makes every following write fail at the given step (kNone ends it). An injected write fault
  // writes half of the bytes first, as a full disk would.
  static void InjectFault(EFault fault);
};
