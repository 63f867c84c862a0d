#pragma once
// A test game for the extras screens: the start-up screens' archive (CTitleTestGame) with layouts
// built control by control, solid thumbnails and pictures, a digit sheet whose cells differ in
// colour, and the three list files.
#include <string>

#include "TitleTestGame.h"

class CExtrasTestGame : public CTitleTestGame {
 protected:
  static constexpr uint32_t kScreenBackground = 0xFF204020u;
  static constexpr uint32_t kThumbnail = 0xFF20A0E0u;
  static constexpr uint32_t kBlank = 0xFF808080u;
  static constexpr uint32_t kCursor = 0xFFE0E020u;
  static constexpr uint32_t kButtonLook = 0xFFC02080u;
  static constexpr int kDigit = 20;

  // A named control; with an image it shows it at full strength.
  static std::string Control(const std::string& name, int left, int top, int right, int bottom,
                             const std::string& image = "") {
    std::string text = "CONTROL\nNAME " + name + "\nPOS " + std::to_string(left) + " " + std::to_string(top) +
                       " " + std::to_string(right) + " " + std::to_string(bottom) + "\n";
    if (!image.empty()) text += "IMAGE " + image + "\nALPHA 100\n";
    return text + "CONTROL END\n";
  }
  // The colour of a digit cell of the sheet.
  static uint32_t DigitColour(int digit) { return 0xFF000040u | uint32_t(digit * 20 + 30) << 16; }
  // The slot controls "サムネイル0".. in a row of 100 x 80 from (100, 100), 120 apart.
  static std::string Slots(int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
      text += Control("サムネイル" + std::to_string(i), 100 + i * 120, 100, 200 + i * 120, 180);
    return text;
  }
  // The common buttons and the completion digits at the bottom of the screen.
  static std::string Buttons() {
    return Control("前", 100, 500, 160, 540, "look.png") + Control("次", 200, 500, 260, 540, "look.png") +
           Control("戻る", 700, 500, 780, 540, "look.png") +
           Control("達成率3", 400, 20, 420, 40, "digits.png") +
           Control("達成率2", 420, 20, 440, 40, "digits.png") +
           Control("達成率1", 440, 20, 460, 40, "digits.png");
  }
  // The art every extras folder shares: background, button look, digit sheet, blank and thumbnails.
  void AddFolderArt(const std::string& folder, const std::string& blank) {
    AddSolidImage(folder + "\\bg.png", 800, 600, kScreenBackground);
    AddSolidImage(folder + "\\look.png", 80, 40, kButtonLook);
    AddSolidBmp(folder + "\\" + blank, 100, 80, kBlank);
    AddSolidImage(folder + "\\t.png", 100, 80, kThumbnail);
    std::vector<uint32_t> sheet(size_t(kDigit) * 10 * kDigit);
    for (size_t i = 0; i < sheet.size(); ++i) sheet[i] = DigitColour(int(i % (kDigit * 10)) / kDigit);
    ASSERT_TRUE(CPngWriter::Write("digits.png", sheet.data(), kDigit * 10, kDigit, kDigit * 10, true));
    AddSystemFile(folder + "\\digits.png", CTempDir::Read("digits.png"));
  }
  // What a colour becomes under a translucent fill.
  static uint32_t Filled(uint32_t colour, uint32_t fill) {
    shapes::FillRect(SDrawTarget::Unclipped(&colour, 1, 1), 0, 0, 1, 1, fill);
    return colour;
  }
  // Colours equal within one step per channel (blends that round differently).
  static bool Near(uint32_t a, uint32_t b) {
    for (int shift = 0; shift < 32; shift += 8)
      if (std::abs(int((a >> shift) & 255) - int((b >> shift) & 255)) > 1) return false;
    return true;
  }
  // A 10 x 10 cursor: a frame one pixel wide around a clear middle.
  void AddCursorFrame(const std::string& name) {
    std::vector<uint32_t> pixels(100, 0);
    for (int i = 0; i < 100; ++i)
      if (i % 10 == 0 || i % 10 == 9 || i < 10 || i >= 90) pixels[size_t(i)] = kCursor;
    ASSERT_TRUE(CPngWriter::Write("cursor.png", pixels.data(), 10, 10, 10, true));
    AddSystemFile(name, CTempDir::Read("cursor.png"));
  }
  // A solid 24-bit BMP (the blank thumbnails are BMP files).
  void AddSolidBmp(const std::string& name, int w, int h, uint32_t colour) {
    const size_t stride = (size_t(w) * 3 + 3) / 4 * 4;
    std::vector<uint8_t> bmp(54 + stride * size_t(h), 0);
    const auto put32 = [&bmp](size_t at, uint32_t v) {
      for (int i = 0; i < 4; ++i) bmp[at + size_t(i)] = uint8_t(v >> (8 * i));
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, uint32_t(bmp.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, uint32_t(w));
    put32(22, uint32_t(h));
    bmp[26] = 1;
    bmp[28] = 24;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        for (int c = 0; c < 3; ++c)
          bmp[54 + size_t(y) * stride + size_t(x) * 3 + size_t(c)] = uint8_t(colour >> (8 * c));
    AddSystemFile(name, std::move(bmp));
  }
  // What the digit controls show: the digits drawn, hundreds first ('-' for an undrawn place).
  std::string ShownDigits() {
    std::string shown;
    for (int x : {410, 430, 450}) {
      char digit = '-';
      for (int d = 0; d < 10; ++d)
        if (At(x, 30) == DigitColour(d)) digit = char('0' + d);
      shown += digit;
    }
    return shown;
  }
};
