#include <gtest/gtest.h>

#include "io/AtomicFile.h"
#include "io/TempDir.h"
#include "persist/RecordFile.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Stored(const Bytes& file) { return Bytes(file.begin() + 8, file.end()); }

// A writer's body with a given tag and a raw length field, to build damaged chunk headers.
CRecordFile RawChunk(const char* tag, uint32_t length, const Bytes& payload) {
  CRecordFile record;
  record.WriteBytes(tag, 4);
  record.WriteInt32(static_cast<int32_t>(length));
  record.WriteBytes(payload.data(), payload.size());
  return record;
}

CRecordFile Decoded(const CRecordFile& written) {
  CRecordFile read;
  EXPECT_TRUE(read.Decode(written.Encode()));
  return read;
}

TEST(RecordFileTest, FiveByteBodyIsSummedAsTwoWordsOfComplementedBytes) {
  CRecordFile record;
  const uint8_t body[5] = {0x01, 0x02, 0x03, 0x04, 0x05};
  record.WriteBytes(body, 5);
  // Stored FE FD FC FB FA: 0xFBFCFDFE + 0x000000FA.
  EXPECT_EQ(record.Encode(),
            (Bytes{'S', 'A', 'V', '2', 0xF8, 0xFE, 0xFC, 0xFB, 0xFE, 0xFD, 0xFC, 0xFB, 0xFA}));
  CRecordFile read;
  EXPECT_TRUE(read.Decode(record.Encode()));
  EXPECT_EQ(read.PlainBody(), Bytes(body, body + 5));
}

TEST(RecordFileTest, ChunksStoreComplementedTagLengthAndPayload) {
  CRecordFile record;
  record.BeginChunk("VAR ");
  record.WriteString("ab");
  record.WriteInt32(-2);
  record.EndChunk();
  record.WriteEmptyChunk("END ");
  EXPECT_EQ(Stored(record.Encode()),
            (Bytes{0xA9, 0xBE, 0xAD, 0xDF, 0xF8, 0xFF, 0xFF, 0xFF, 0xFD, 0x9E, 0x9D, 0x01,
                   0x00, 0x00, 0x00, 0xBA, 0xB1, 0xBB, 0xDF, 0xFF, 0xFF, 0xFF, 0xFF}));

  CRecordFile read = Decoded(record);
  ASSERT_TRUE(read.NextChunk());
  EXPECT_EQ(read.Tag(), "VAR ");
  EXPECT_EQ(read.ChunkLength(), 7u);
  EXPECT_EQ(read.ReadString(), "ab");
  EXPECT_EQ(read.ReadInt32(), -2);
  EXPECT_EQ(read.Remaining(), 0u);
  ASSERT_TRUE(read.NextChunk());
  EXPECT_EQ(read.Tag(), "END ");
  EXPECT_FALSE(read.NextChunk());
}

TEST(RecordFileTest, ReadingHonoursChunkEndsAndStopsAfterEnd) {
  CRecordFile record;
  record.BeginChunk("AAAA");
  record.WriteInt32(1);
  record.WriteInt32(2);
  record.BeginChunk("BBBB");  // ends AAAA
  record.WriteInt32(3);
  record.EndChunk();
  record.WriteEmptyChunk("END ");
  record.WriteEmptyChunk("CCCC");

  CRecordFile read = Decoded(record);
  ASSERT_TRUE(read.NextChunk());
  EXPECT_EQ(read.ReadInt32(), 1);  // the second value is left unread
  ASSERT_TRUE(read.NextChunk());
  EXPECT_EQ(read.Tag(), "BBBB");
  EXPECT_EQ(read.ReadInt32(), 3);
  // Reads past the chunk's end give empty values and never reach the next chunk.
  EXPECT_EQ(read.ReadInt32(), 0);
  EXPECT_EQ(read.ReadString(), "");
  EXPECT_TRUE(read.ReadBytes(1).empty());
  EXPECT_TRUE(read.ReadBits().empty());
  ASSERT_TRUE(read.NextChunk());
  EXPECT_EQ(read.Tag(), "END ");
  EXPECT_FALSE(read.NextChunk());
  EXPECT_FALSE(read.NextChunk());
}

TEST(RecordFileTest, LengthRunningPastTheEndStopsReading) {
  // Nine bytes claimed, eight present; a length that fits exactly is read.
  EXPECT_TRUE(Decoded(RawChunk("AAAA", 8, Bytes(8, 0x11))).NextChunk());
  CRecordFile read = Decoded(RawChunk("AAAA", 9, Bytes(8, 0x11)));
  EXPECT_FALSE(read.NextChunk());
  EXPECT_EQ(read.Tag(), "");
  EXPECT_EQ(read.ReadInt32(), 0);

  CRecordFile huge = Decoded(RawChunk("AAAA", 0xFFFFFFF8u, Bytes(16, 0x22)));
  EXPECT_FALSE(huge.NextChunk());

  // A header cut short after a good chunk.
  CRecordFile cut;
  cut.WriteEmptyChunk("AAAA");
  cut.WriteBytes("BBBB", 4);
  CRecordFile readCut = Decoded(cut);
  ASSERT_TRUE(readCut.NextChunk());
  EXPECT_FALSE(readCut.NextChunk());

  // A string whose length byte runs past its chunk.
  CRecordFile shortString = Decoded(RawChunk("STR ", 3, Bytes{200, 'a', 'b'}));
  ASSERT_TRUE(shortString.NextChunk());
  EXPECT_EQ(shortString.ReadString(), "");
  EXPECT_EQ(shortString.Remaining(), 0u);
}

TEST(RecordFileTest, LongStringsAreCutAt255BytesWithoutSplittingACharacter) {
  CRecordFile record;
  record.BeginChunk("STR ");
  record.WriteString(std::string(300, 'a'));
  record.WriteString(std::string(254, 'b') + "\x82\xA0" + "c");  // a two-byte character over the limit
  record.WriteString(std::string(253, 'd') + "\x82\xA0" + "e");  // ends exactly at 255
  record.WriteString(std::string(254, 'f') + "\x82");            // a lone lead byte at the end counts as one
  record.EndChunk();
  CRecordFile read = Decoded(record);
  ASSERT_TRUE(read.NextChunk());
  EXPECT_EQ(read.ChunkLength(), 4u * 256u - 1u);
  EXPECT_EQ(read.ReadString(), std::string(255, 'a'));
  EXPECT_EQ(read.ReadString(), std::string(254, 'b'));
  EXPECT_EQ(read.ReadString(), std::string(253, 'd') + "\x82\xA0");
  EXPECT_EQ(read.ReadString(), std::string(254, 'f') + "\x82");
}

TEST(RecordFileTest, BitSetsStoreTheCountThenBitsLowestFirst) {
  CRecordFile record;
  record.BeginChunk("ALBM");
  std::vector<bool> bits(10, false);
  bits[0] = bits[3] = bits[9] = true;
  record.WriteBits(bits);
  record.EndChunk();
  EXPECT_EQ(Bytes(record.PlainBody().begin() + 8, record.PlainBody().end()),
            (Bytes{10, 0, 0, 0, 0x09, 0x02}));
  CRecordFile read = Decoded(record);
  ASSERT_TRUE(read.NextChunk());
  EXPECT_EQ(read.ReadBits(), bits);

  // Counts the payload cannot hold, or below one, read as empty.
  for (int32_t count : {-5, 0, 33, 0x7FFFFFFF}) {
    CRecordFile bad;
    bad.BeginChunk("ALBM");
    bad.WriteInt32(count);
    bad.WriteInt32(-1);
    bad.EndChunk();
    CRecordFile badRead = Decoded(bad);
    ASSERT_TRUE(badRead.NextChunk());
    EXPECT_TRUE(badRead.ReadBits().empty()) << count;
  }
}

// A small record with every field kind, as a save would hold.
CRecordFile SmallSave() {
  CRecordFile record;
  record.BeginChunk("VAR ");
  record.WriteString("CASE");
  record.WriteInt32(3);
  record.BeginChunk("EVNT");
  record.WriteBits(std::vector<bool>(40, true));
  record.BeginChunk("TEXT");
  record.WriteString("\x82\xA0\x82\xA2");
  record.WriteString("");
  record.WriteInt32(100);
  record.WriteInt32(-1);
  record.EndChunk();
  record.WriteEmptyChunk("END ");
  return record;
}

TEST(RecordFileTest, AnyChangedByteMakesTheFileAbsent) {
  const Bytes good = SmallSave().Encode();
  CRecordFile read;
  ASSERT_TRUE(read.Decode(good));
  for (size_t i = 0; i < good.size(); ++i) {
    for (uint8_t mask : {0x01, 0x80, 0xFF}) {
      Bytes damaged = good;
      damaged[i] ^= mask;
      EXPECT_FALSE(read.Decode(damaged)) << "byte " << i;
      EXPECT_TRUE(read.PlainBody().empty());
      EXPECT_FALSE(read.NextChunk());
    }
  }
  EXPECT_FALSE(read.Decode(Bytes{'S', 'A', 'V', '2', 0, 0, 0}));
  EXPECT_FALSE(read.Decode(Bytes{'S', 'A', 'V', '1', 0, 0, 0, 0}));
  EXPECT_TRUE(read.Decode(Bytes{'S', 'A', 'V', '2', 0, 0, 0, 0}));  // an empty body is a valid container
  EXPECT_FALSE(read.NextChunk());
}

TEST(RecordFileTest, EveryTruncationIsReadSafely) {
  const Bytes good = SmallSave().Encode();
  for (size_t size = 0; size < good.size(); ++size) {
    CRecordFile read;
    if (!read.Decode(Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(size)))) continue;
    while (read.NextChunk()) {
      read.ReadString();
      read.ReadBits();
      read.ReadInt32();
    }
  }
}

TEST(RecordFileTest, PlainBodySnapshotsReadLikeFiles) {
  CRecordFile snapshot(SmallSave().PlainBody());
  ASSERT_TRUE(snapshot.NextChunk());
  EXPECT_EQ(snapshot.Tag(), "VAR ");
  EXPECT_EQ(snapshot.ReadString(), "CASE");
  EXPECT_EQ(snapshot.ReadInt32(), 3);
}

TEST(RecordFileTest, FilesRoundTripThroughTheAtomicWriter) {
  CTempDir dir;
  const CRecordFile record = SmallSave();
  ASSERT_TRUE(record.WriteToFile("save/qsave.dat"));
  EXPECT_EQ(CTempDir::Read("save/qsave.dat"), record.Encode());
  EXPECT_TRUE(CRecordFile::TestFile("save/qsave.dat"));
  CRecordFile read;
  ASSERT_TRUE(read.LoadFromFile("save/qsave.dat"));
  EXPECT_EQ(read.PlainBody(), record.PlainBody());

  EXPECT_FALSE(CRecordFile::TestFile("save/missing.dat"));
  EXPECT_FALSE(read.LoadFromFile("save/missing.dat"));
  EXPECT_TRUE(read.PlainBody().empty());

  CAtomicFile::InjectFault(CAtomicFile::EFault::kWrite);
  EXPECT_FALSE(CRecordFile().WriteToFile("save/qsave.dat"));
  CAtomicFile::InjectFault(CAtomicFile::EFault::kNone);
  EXPECT_EQ(CTempDir::Read("save/qsave.dat"), record.Encode());
}

}  // namespace
