// The "SAV2" record container: the container test on the bytes as a file, then the bytes as a plain
// body walked chunk by chunk with every kind of field read, as the save and system-data readers do.
#include <vector>

#include "FuzzTarget.h"
#include "persist/RecordFile.h"

namespace {

void ReadChunks(CRecordFile& record) {
  for (int chunk = 0; chunk < 4096 && record.NextChunk(); ++chunk) {
    // The tag's first byte picks the order of reads, so every field kind follows every other.
    const unsigned first = record.Tag().empty() ? 0 : static_cast<unsigned char>(record.Tag()[0]);
    for (unsigned field = 0; field < 64 && record.Remaining() > 0; ++field) {
      switch ((first + field) % 4) {
        case 0:
          record.ReadInt32();
          break;
        case 1:
          record.ReadString();
          break;
        case 2:
          record.ReadBits();
          break;
        default:
          record.ReadBytes(size_t{field} * 3);
          break;
      }
    }
  }
}

}  // namespace

ZEL_FUZZ_TARGET(sav2) {
  const std::vector<uint8_t> bytes(data, data + size);
  CRecordFile file;
  if (file.Decode(bytes)) ReadChunks(file);
  CRecordFile plain(bytes);
  ReadChunks(plain);
  // A file that passes the test: the same body encoded, then decoded and read again.
  CRecordFile encoded;
  encoded.WriteBytes(data, size);
  CRecordFile reread;
  if (reread.Decode(encoded.Encode())) ReadChunks(reread);
  return 0;
}
