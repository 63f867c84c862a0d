// zeltool sav-dump FILE: a save file or system.dat as JSON lines, one per chunk.
#include <algorithm>
#include <cstdio>
#include <map>

#include "ToolCommand.h"
#include "io/ShiftJis.h"
#include "io/Trace.h"
#include "persist/RecordFile.h"

namespace {

// How a field is read from the payload.
enum class EKind {
  kInt,         // int32
  kString,      // length byte and Shift JIS text
  kBits,        // bit set: int32 count and the bits, written as a string of 0 and 1
  kReadBits,    // int32 capacity and capacity / 8 bytes, written as the capacity and the set numbers
  kInts,        // the rest of the payload as int32 values
  kHex,         // the rest of the payload as hexadecimal bytes
  kPaddedText,  // the rest of the payload as text padded with zero bytes
  kSize,        // the rest of the payload, counted only (pixels)
};

struct SField {
  EKind kind;
  const char* name;
};

// A chunk's payload: its fields once, or repeated until the end of the payload.
struct SLayout {
  bool repeated;
  std::vector<SField> fields;
};

SLayout Value(const char* name) { return {false, {{EKind::kInt, name}}}; }

// The text pieces of a message line.
SLayout Pieces() {
  return {
      true,
      {{EKind::kString, "text"}, {EKind::kString, "ruby"}, {EKind::kInt, "size"}, {EKind::kInt, "color"}}};
}

// A layer's picture: its files, place and state; values the engine may add later are listed raw.
SLayout Picture() {
  using K = EKind;
  return {false,
          {{K::kInt, "layer"},
           {K::kString, "picture"},
           {K::kString, "click"},
           {K::kInt, "x"},
           {K::kInt, "y"},
           {K::kInt, "zoom"},
           {K::kInt, "flags"},
           {K::kInt, "priority"},
           {K::kInt, "time"},
           {K::kInts, "more"}}};
}

const std::map<std::string, SLayout>& Layouts() {
  using K = EKind;
  static const std::map<std::string, SLayout> layouts{
      // system.dat
      {"VAR ", {true, {{K::kString, "name"}, {K::kInt, "value"}}}},
      {"SCRN", Value("value")},
      {"SKEF", Value("value")},
      {"SPED", Value("value")},
      {"SKNW", Value("value")},
      {"SKCN", Value("value")},
      {"SWRD", Value("value")},
      {"ATSP", Value("value")},
      {"VOL0", Value("value")},
      {"VOL1", Value("value")},
      {"VOL2", Value("value")},
      {"ALBM", {false, {{K::kBits, "flags"}}}},
      {"FLSH", {false, {{K::kBits, "flags"}}}},
      {"MSIC", {false, {{K::kBits, "flags"}}}},
      {"KYWD", {false, {{K::kString, "key"}, {K::kString, "value"}}}},
      {"FILE", Value("slot")},
      {"READ", {false, {{K::kString, "script"}, {K::kReadBits, "read"}}}},
      {"VCMS", Value("mask")},
      {"FONT", {false, {{K::kString, "face"}}}},
      // save files
      {"EVNT", {true, {{K::kString, "script"}, {K::kReadBits, "set"}}}},
      {"STAC", {true, {{K::kInt, "line"}, {K::kInt, "kind"}}}},
      {"PRGR", Value("message")},
      {"SCRP", {true, {{K::kInt, "flag"}, {K::kString, "script"}, {K::kInt, "line"}, {K::kInt, "item"}}}},
      {"MBGM", {true, {{K::kString, "name"}}}},
      {"CLIC", {true, {{K::kInt, "verb"}, {K::kInt, "place"}, {K::kInt, "color"}, {K::kInt, "body_line"}}}},
      {"SLCT", {true, {{K::kString, "text"}, {K::kInt, "unused"}, {K::kInt, "body_line"}}}},
      {"KEYW", {false, {{K::kInt, "line"}, {K::kInt, "icon"}}}},
      {"WAIT",
       {false,
        {{K::kInt, "mode"},
         {K::kInt, "length"},
         {K::kInt, "elapsed"},
         {K::kInt, "sound_mask"},
         {K::kInt, "forced"},
         {K::kInt, "wait_always"},
         {K::kInt, "read_position"},
         {K::kInt, "choice_hover"},
         {K::kInt, "line"}}}},
      {"TEXT", Pieces()},
      {"PEND", Pieces()},
      {"LAYR", Picture()},
      {"LYPV", Picture()},
      {"LYCM",
       {false,
        {{K::kInt, "layer"},
         {K::kInt, "from_x"},
         {K::kInt, "from_y"},
         {K::kInt, "to_x"},
         {K::kInt, "to_y"},
         {K::kInt, "elapsed"},
         {K::kInt, "duration"},
         {K::kInt, "loop"},
         {K::kHex, "rest"}}}},
      {"LYSC", {false, {{K::kInt, "layer"}, {K::kInt, "value"}}}},
      {"CLMP", Value("value")},
      {"LYAL", {false, {{K::kInt, "layer"}, {K::kInt, "alpha"}}}},
      {"MPAN",
       {false,
        {{K::kInt, "layer"},
         {K::kInt, "transition"},
         {K::kInt, "elapsed"},
         {K::kInt, "duration"},
         {K::kInt, "gradation"},
         {K::kPaddedText, "mask"}}}},
      {"MPSL", {false, {}}},
      {"EFC2", {false, {{K::kInt, "kind"}, {K::kInt, "color"}, {K::kInt, "param0"}, {K::kInt, "param1"}}}},
      {"WIND", {false, {{K::kInt, "shown"}, {K::kInt, "style"}, {K::kString, "speaker"}}}},
      {"FACE", {false, {{K::kString, "file"}}}},
      {"DWIN", Value("shown")},
      {"DATE",
       {false,
        {{K::kInt, "year"}, {K::kInt, "month"}, {K::kInt, "day"}, {K::kInt, "hour"}, {K::kInt, "minute"}}}},
      {"TITL", {false, {{K::kString, "comment"}}}},
      {"CPTR", Value("chapter")},
      {"SOUN", {true, {{K::kInt, "channel"}, {K::kString, "file"}}}},
      {"VOIC", {false, {{K::kString, "file"}}}},
      {"THUM", {false, {{K::kInt, "width"}, {K::kInt, "height"}, {K::kSize, "pixel_bytes"}}}},
      {"ETC1", {false, {{K::kInt, "reveal"}, {K::kInt, "speaking_layer"}, {K::kInt, "speaking_part"}}}},
      {"END ", {false, {}}},
  };
  return layouts;
}

std::string Hex(const std::vector<uint8_t>& bytes) {
  static const char kDigits[] = "0123456789abcdef";
  std::string text;
  for (uint8_t b : bytes) text += {kDigits[b >> 4], kDigits[b & 15]};
  return text;
}

// The numbers of the set bits of a read-flag array, as a JSON list.
std::string SetNumbers(const std::vector<uint8_t>& bytes) {
  std::string list;
  for (size_t m = 0; m < bytes.size() * 8; ++m)
    if ((bytes[m / 8] >> (m % 8)) & 1) list += (list.empty() ? "" : ",") + std::to_string(m);
  return "[" + list + "]";
}

// One "name":value pair; empty when the payload has no room left for the field, so a short chunk
// shows as missing fields and unread bytes rather than as made-up zeros.
std::string ReadField(CRecordFile& record, const SField& field) {
  const bool whole = field.kind == EKind::kInt || field.kind == EKind::kBits ||
                     field.kind == EKind::kReadBits || field.kind == EKind::kInts;
  if (record.Remaining() < (whole ? 4u : 1u)) return std::string();
  const std::string key = CTrace::Quote(field.name) + ":";
  switch (field.kind) {
    case EKind::kInt:
      return key + std::to_string(record.ReadInt32());
    case EKind::kString:
      return key + CTrace::Quote(sjis::ToUtf8(record.ReadString()));
    case EKind::kBits: {
      std::string bits;
      for (bool bit : record.ReadBits()) bits += bit ? '1' : '0';
      return key + CTrace::Quote(bits);
    }
    case EKind::kReadBits: {
      const int32_t capacity = record.ReadInt32();
      std::vector<uint8_t> bytes =
          capacity > 0 ? record.ReadBytes(static_cast<size_t>(capacity) / 8) : std::vector<uint8_t>();
      return "\"capacity\":" + std::to_string(capacity) + "," + key + SetNumbers(bytes);
    }
    case EKind::kInts: {
      std::string list;
      while (record.Remaining() >= 4) list += (list.empty() ? "" : ",") + std::to_string(record.ReadInt32());
      return key + "[" + list + "]";
    }
    case EKind::kHex:
      return key + CTrace::Quote(Hex(record.ReadBytes(record.Remaining())));
    case EKind::kPaddedText: {
      const std::vector<uint8_t> bytes = record.ReadBytes(record.Remaining());
      const std::string text(bytes.begin(), std::find(bytes.begin(), bytes.end(), 0));
      return key + CTrace::Quote(sjis::ToUtf8(text));
    }
    case EKind::kSize: {
      const size_t size = record.Remaining();
      record.ReadBytes(size);
      return key + std::to_string(size);
    }
  }
  return key + "null";
}

std::string ReadGroup(CRecordFile& record, const std::vector<SField>& fields) {
  std::string text;
  for (const SField& field : fields)
    if (std::string pair = ReadField(record, field); !pair.empty()) text += (text.empty() ? "" : ",") + pair;
  return text;
}

// One JSON object for the current chunk.
std::string DumpChunk(CRecordFile& record) {
  std::string line =
      "{\"tag\":" + CTrace::Quote(record.Tag()) + ",\"length\":" + std::to_string(record.ChunkLength());
  auto found = Layouts().find(record.Tag());
  if (found == Layouts().end()) return line + ",\"known\":false}";
  const SLayout& layout = found->second;
  if (layout.repeated) {
    std::string entries;
    while (record.Remaining() > 0)
      entries += (entries.empty() ? "{" : ",{") + ReadGroup(record, layout.fields) + "}";
    line += ",\"entries\":[" + entries + "]";
  } else if (std::string fields = ReadGroup(record, layout.fields); !fields.empty()) {
    line += "," + fields;
  }
  if (record.Remaining() > 0) line += ",\"unread\":" + std::to_string(record.Remaining());
  return line + "}";
}

int SavDump(const std::vector<std::string>& args) {
  if (args.size() != 1) return ToolFail("usage: zeltool sav-dump FILE");
  CRecordFile record;
  if (!record.LoadFromFile(args[0]))
    return ToolFail(args[0] + ": not a valid record file (missing, or its magic or checksum is wrong)");
  while (record.NextChunk()) std::printf("%s\n", DumpChunk(record).c_str());
  return std::fflush(stdout) == 0 ? 0 : ToolFail("cannot write to standard output");
}

const CToolCommand kSavDump("sav-dump", "sav-dump FILE",
                            "print a save file or system.dat as JSON lines, one per chunk", SavDump);

}  // namespace
