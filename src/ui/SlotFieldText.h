#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct SSlotSummary;

// The per-row fields of the save and load screens. A field is a layout control named by its kind,
// the row number and optionally ":" and a date format: "番号0", "日付2:m月d日", "保存日時1".
class CSlotFieldText {
 public:
  // The kind of a control's field for a row ("番号", "日付", ...) and its format (empty when the
  // name has no ":"); nullopt when the name does not end in that row's number.
  struct SField {
    std::string kind;
    std::string format;
  };
  static std::optional<SField> ForRow(std::string_view controlName, int32_t row);

  // The text a field shows for a slot: "番号" for every slot, the others only for a slot that
  // exists (empty otherwise); nullopt for a kind that is no field.
  static std::optional<std::string> Text(const SField& field, int32_t slot, const SSlotSummary& summary,
                                         int32_t latestSlot);

  // A file time as kept in the summaries, in local time with "FormatDate".
  static std::string FormatFileTime(int64_t fileTime, const std::string& format);
};
