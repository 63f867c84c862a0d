#include "ui/SlotFieldText.h"

#include <cstdio>
#include <ctime>
#include <filesystem>

#include "ui/DatePlate.h"
#include "ui/SlotSummaries.h"

std::optional<CSlotFieldText::SField> CSlotFieldText::ForRow(std::string_view controlName, int32_t row) {
  const size_t colon = controlName.find(':');
  std::string_view base = controlName.substr(0, colon);
  const std::string suffix = std::to_string(row);
  if (base.size() <= suffix.size() || base.substr(base.size() - suffix.size()) != suffix) return std::nullopt;
  base.remove_suffix(suffix.size());
  SField field{std::string(base),
               colon == std::string_view::npos ? "" : std::string(controlName.substr(colon + 1))};
  return field;
}

std::optional<std::string> CSlotFieldText::Text(const SField& field, int32_t slot,
                                                const SSlotSummary& summary, int32_t latestSlot) {
  if (field.kind == "番号") {
    char number[16];
    std::snprintf(number, sizeof number, "%.2d", slot);
    return std::string(number);
  }
  const bool known = field.kind == "最新ファイル" || field.kind == "日付" || field.kind == "タイトル" ||
                     field.kind == "保存日時";
  if (!known) return std::nullopt;
  if (!summary.exists) return std::string();
  if (field.kind == "最新ファイル") return std::string(slot == latestSlot ? "New" : "");
  if (field.kind == "タイトル") return summary.comment;
  if (field.kind == "日付")
    return CDatePlate::FormatDate(field.format.empty() ? "m/d" : field.format, summary.year, summary.month,
                                  summary.day, summary.hour, summary.minute, 0);
  return FormatFileTime(summary.fileTime, field.format.empty() ? "y/m/d h:n:s" : field.format);
}

std::string CSlotFieldText::FormatFileTime(int64_t fileTime, const std::string& format) {
  using std::chrono::file_clock;
  const file_clock::time_point point{file_clock::duration(fileTime)};
  const std::time_t seconds = std::chrono::system_clock::to_time_t(
      std::chrono::time_point_cast<std::chrono::system_clock::duration>(file_clock::to_sys(point)));
  std::tm local{};
  if (!localtime_r(&seconds, &local)) return std::string();
  return CDatePlate::FormatDate(format, local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                                local.tm_min, local.tm_sec);
}
