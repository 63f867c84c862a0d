#include "persist/PlayerConfig.h"

#include <algorithm>

namespace {

using TLabels = std::array<const char*, 3>;

const TLabels kLabels[CPlayerConfig::kItemCount] = {
    {"フルスクリーン", "ウィンドウ"},
    {"エフェクトON", "エフェクトOFF"},
    {"低速", "中速", "高速"},
    {"速度"},
    {"既読のみスキップ", "全てスキップ"},
    {"スキップ継続する", "スキップ継続しない"},
    {"既読表示OFF", "既読表示ON"},
    {"オート速度"},
    {"BGM"},
    {"VOICE"},
    {"SE"},
    {"戻る"},
    {"名前入力"},
    {"ボイス分類"},
    {"フォント"},
    {"スイッチ0OFF", "スイッチ0ON"},
    {"スイッチ1OFF", "スイッチ1ON"},
    {"スイッチ2OFF", "スイッチ2ON"},
    {"スイッチ3OFF", "スイッチ3ON"},
};

// Items from the first button on (the buttons and the switches) cannot be set by rows.
constexpr int kFirstButton = 11;

int LabelIndex(int item, const std::string& label) {
  for (int i = 0; i < 3; ++i)
    if (kLabels[item][i] && label == kLabels[item][i]) return i;
  return -1;
}

}  // namespace

void CPlayerConfig::Reset() {
  values.fill(0);
  values[kScreenMode] = 1;
  values[kTextSpeed] = 50;
  values[kReadMark] = 1;
  values[kAutoWait] = 60;
  values[kVolumeBgm] = values[kVolumeVoice] = values[kVolumeSe] = 256;
  voiceMask = 0xFFFFFFFF;
}

bool CPlayerConfig::ApplyRow(const std::string& label, int value2) {
  const int percent = std::clamp(value2, 0, 100);
  for (int item = 0; item < kFirstButton; ++item) {
    int index = LabelIndex(item, label);
    if (index < 0) continue;
    if (item == kTextSpeedStep || item == kTextSpeed)
      values[kTextSpeed] = item == kTextSpeed ? percent : index * 50;
    else if (item == kAutoWait)
      values[kAutoWait] = 120 - percent * 120 / 100;
    else if (item >= kVolumeBgm)
      values[item] = percent * 256 / 100;
    else
      values[item] = index;
    return true;
  }
  return false;
}

int CPlayerConfig::Value(int item) const {
  if (item == kTextSpeedStep) return values[kTextSpeed];
  return item >= 0 && item < kItemCount ? values[item] : 0;
}

void CPlayerConfig::SetValue(int item, int value) {
  if (item == kTextSpeedStep) item = kTextSpeed;
  if (item >= 0 && item < kItemCount) values[item] = value;
}

int CPlayerConfig::ChannelVolume(int channel) const {
  if (channel == 1) return values[kVolumeBgm];
  if (channel == 3) return values[kVolumeVoice];
  return values[kVolumeSe];
}

const TLabels& CPlayerConfig::Labels(int item) {
  static const TLabels kNone{};
  return item >= 0 && item < kItemCount ? kLabels[item] : kNone;
}
