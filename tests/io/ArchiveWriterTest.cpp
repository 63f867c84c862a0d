#include <gtest/gtest.h>

#include <map>
#include <random>

#include "io/ArchiveFile.h"
#include "io/ArchiveWriter.h"
#include "io/LzssEncoder.h"
#include "io/PackArchive.h"
#include "io/TempDir.h"

namespace {

// Content of one of several kinds, chosen by index: text, noise, zeros, PNG, sounds, empty.
std::vector<uint8_t> MakeContent(int index, std::mt19937& random) {
  size_t size = random() % 3000;
  std::vector<uint8_t> out(size);
  switch (index % 7) {
    case 0:
      for (size_t i = 0; i < size; ++i) out[i] = "<TEXT> \x82\xA0\r\n"[(i * 7 + index) % 12];
      break;
    case 1:
      for (uint8_t& b : out) b = static_cast<uint8_t>(random());
      break;
    case 2:
      break;
    case 3:
      out.insert(out.begin(), {0x89, 'P', 'N', 'G'});
      break;
    case 4:
      out.insert(out.begin(), {'O', 'g', 'g', 'S'});
      for (size_t i = 4; i < out.size(); ++i) out[i] = static_cast<uint8_t>(random());
      break;
    case 5:
      out.insert(out.begin(), {'S', 'S', 'h', 'd'});
      break;
    default:
      out.clear();
  }
  return out;
}

std::string MakeName(int index) {
  static const char* const kExtensions[] = {".txt", ".bin", ".dat", ".png", ".ogg", ".snd", ".csv"};
  std::string folder = index % 3 == 0 ? "" : "dir" + std::to_string(index % 5) + "\\";
  // Some names hold a two-byte character whose second byte is '\' (0x95 0x5C).
  if (index % 11 == 0) folder += "\x95\\\\";
  return folder + "File" + std::to_string(index) + kExtensions[index % 7];
}

std::vector<uint8_t> Extract(const CArchiveFile& archive, const CArchiveFile::SEntry& entry) {
  std::vector<uint8_t> content;
  EXPECT_TRUE(archive.ReadEntry(entry, archive.StoredCoding(entry), content)) << entry.name;
  return content;
}

TEST(ArchiveWriterTest, PackedTreeOfThousandsOfFilesExtractsByteForByte) {
  CTempDir dir;
  std::mt19937 random(42);
  std::map<std::string, std::vector<uint8_t>> files;
  std::vector<std::string> names;
  for (int i = 0; i < 3000; ++i) {
    names.push_back(MakeName(i));
    files[names.back()] = MakeContent(i, random);
  }
  CArchiveWriter writer;
  ASSERT_TRUE(writer.Open("pack.arc", names));
  for (const std::string& name : names) ASSERT_TRUE(writer.Add(files[name]));
  EXPECT_FALSE(writer.Add({1, 2, 3}));  // every name has its content already
  ASSERT_TRUE(writer.Close());
  std::unique_ptr<CArchiveFile> archive = CArchiveFile::Open("pack.arc");
  ASSERT_NE(archive, nullptr);
  ASSERT_EQ(archive->Entries().size(), files.size());
  for (const CArchiveFile::SEntry& entry : archive->Entries())
    EXPECT_EQ(Extract(*archive, entry), files[entry.name]);
  // The engine's reads agree, except for sounds, which it only streams.
  CPackArchive::Instance().UnmountAll();
  ASSERT_TRUE(CPackArchive::Instance().Mount("pack.arc", "Pack"));
  std::vector<uint8_t> content;
  for (int i = 0; i < 3000; i += 7) {
    ASSERT_TRUE(CPackArchive::Instance().LoadFile("pack\\" + MakeName(i), content));
    EXPECT_EQ(content, files[MakeName(i)]);
  }
  uint32_t size = 0;
  FILE* stream = CPackArchive::Instance().OpenStream("PACK\\" + MakeName(4), size);
  ASSERT_NE(stream, nullptr);
  std::vector<uint8_t> raw(size);
  EXPECT_EQ(std::fread(raw.data(), 1, size, stream), size);
  std::fclose(stream);
  EXPECT_EQ(raw, files[MakeName(4)]);
  CPackArchive::Instance().UnmountAll();
}

// A large entry is decoded through the file's read buffer, across many refills.
TEST(ArchiveWriterTest, LargeEntryDecodesAcrossReadBuffers) {
  CTempDir dir;
  std::mt19937 random(9);
  std::vector<uint8_t> content(300000);
  for (size_t i = 0; i < content.size(); ++i)
    content[i] =
        random() % 5 == 0 ? static_cast<uint8_t>(random()) : static_cast<uint8_t>("script text "[i % 12]);
  ASSERT_TRUE(CArchiveWriter::WriteAll("big.arc", {{"big.txt", content}}));
  CPackArchive::Instance().UnmountAll();
  ASSERT_TRUE(CPackArchive::Instance().Mount("big.arc", ""));
  std::vector<uint8_t> loaded;
  ASSERT_TRUE(CPackArchive::Instance().LoadFile("BIG.TXT", loaded));
  EXPECT_EQ(loaded, content);
  CPackArchive::Instance().UnmountAll();
}

TEST(ArchiveWriterTest, StoresEachKindAsTheEngineReadsIt) {
  const std::vector<uint8_t> png{0x89, 'P', 'N', 'G', 0, 0};
  EXPECT_EQ(CArchiveWriter::Encode("a.png", png), (std::vector<uint8_t>{0x76, 0xAF, 0xB1, 0xB8, 0xFF, 0xFF}));
  const std::vector<uint8_t> wav{'R', 'I', 'F', 'F', 1, 2, 3};
  EXPECT_EQ(CArchiveWriter::Encode("a.wav", wav), wav);
  EXPECT_EQ(CArchiveWriter::Encode("a.txt", {'h', 'i'}), (std::vector<uint8_t>{0x03, 0x97, 0x96}));
  EXPECT_EQ(CArchiveWriter::Encode("a.txt", {}), std::vector<uint8_t>{});
  // Content whose compressed form would begin "OggS": four literals 0x98 0x98 0xAC 0x01, two
  // matches, a literal and a match give the flag byte 0x4F.
  const std::vector<uint8_t> tricky{0x98, 0x98, 0xAC, 0x01, 0x98, 0x98, 0xAC,
                                    0x00, 0x00, 0x00, 0x55, 0x98, 0x98, 0xAC};
  std::vector<uint8_t> plain = CLzssEncoder::Encode(tricky.data(), tricky.size());
  ASSERT_TRUE(CArchiveFile::IsSoundMagic(plain.data(), plain.size()));
  std::vector<uint8_t> stored = CArchiveWriter::Encode("a.bin", tricky);
  EXPECT_EQ(stored[0], 0xFF);
  CTempDir dir;
  EXPECT_FALSE(CArchiveWriter::WriteAll("bad.arc", {{std::string(256, 'n'), tricky}}));
  EXPECT_FALSE(CArchiveWriter::WriteAll("bad.arc", {{"", tricky}}));
  CArchiveWriter unfinished;
  ASSERT_TRUE(unfinished.Open("bad.arc", {"a", "b"}));
  ASSERT_TRUE(unfinished.Add(tricky));
  EXPECT_FALSE(unfinished.Close());  // "b" has no content
  ASSERT_TRUE(CArchiveWriter::WriteAll("t.arc", {{"a.bin", tricky}}));
  std::unique_ptr<CArchiveFile> archive = CArchiveFile::Open("t.arc");
  ASSERT_NE(archive, nullptr);
  EXPECT_EQ(Extract(*archive, archive->Entries()[0]), tricky);
}

}  // namespace
