#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "DialogTestSupport.h"
#include "TextTestSupport.h"
#include "gfx/Display.h"
#include "platform/Input.h"
#include "platform/VirtualKeys.h"
#include "ui/DialogLayer.h"
#include "ui/FontSet.h"
#include "ui/TextInputDialog.h"

using dialogtest::U8;

namespace {

constexpr uint32_t kScreen = 0xFF204060;

// Records what the dialogs ask of text entry.
class CRecordingInput : public IInput {
 public:
  SPoint GetCursorPos() override { return {}; }
  void SetCursorPos(int, int) override {}
  void ShowSystemCursor(bool) override {}
  void SetCapture(bool) override {}
  bool IsKeyDown(uint32_t) override { return false; }
  bool HasFocus() override { return true; }
  void StartTextInput(const SRect& rect) override {
    on = true;
    field = rect;
  }
  void StopTextInput() override { on = false; }

  bool on = false;
  SRect field;
};

// Glyph blending may round a channel by one.
bool Near(uint32_t a, uint32_t b) {
  for (int shift = 0; shift < 24; shift += 8)
    if (std::abs(static_cast<int>((a >> shift) & 255) - static_cast<int>((b >> shift) & 255)) > 2)
      return false;
  return true;
}

struct SAnswer {
  bool ok;
  std::string text;
};

class DialogLayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    display.Init(nullptr, 400, 300, true);
    // Solid glyphs: every character is a filled square of its colour.
    fonts.Create(display, rasterizer, "x", 24);
    CTextFont::SetEffect(CTextFont::kEffectNone, 0);
    display.MarkAllDirty();
    Frame();
  }

  // One frame as the engine draws it: the game on the dirty spans, the dialog over it. The same
  // frame drawn whole must give the same picture, or a change went unmarked.
  void Frame() {
    display.FillDirty(kScreen);
    layer.Draw();
    const std::vector<uint32_t> incremental(display.Pixels(), display.Pixels() + 400 * 300);
    display.MarkAllDirty();
    display.FillDirty(kScreen);
    layer.Draw();
    ASSERT_EQ(std::vector<uint32_t>(display.Pixels(), display.Pixels() + 400 * 300), incremental)
        << "an incremental frame differs from the whole one";
    display.ClearSpans();
  }
  uint32_t At(int x, int y) const { return display.Pixels()[y * display.Width() + x]; }

  void OpenName(const std::string& text, size_t maxBytes = 8, bool allowEmpty = false) {
    layer.OpenTextInput("名前", "名前を入力してください", text, maxBytes, allowEmpty,
                        [this](bool ok, const std::string& result) {
                          answers.push_back({ok, result});
                        });
  }
  // A dialog like the open one, for its geometry.
  CTextInputDialog Twin(size_t maxBytes = 8) {
    return CTextInputDialog(display, fonts.Font(1), "名前", "名前を入力してください", "", maxBytes, false,
                            nullptr);
  }
  void Key(uint32_t key) { layer.OnKeyDown(key, true); }
  void Click(const SRect& r) {
    const int x = (r.left + r.right) / 2, y = (r.top + r.bottom) / 2;
    layer.OnMouseMove(x, y);
    layer.OnLButtonDown(x, y);
    layer.OnLButtonUp(x, y);
  }

  CDisplay display;
  texttest::CPatternRasterizer rasterizer{true};
  CFontSet fonts;
  CRecordingInput input;
  CDialogLayer layer{display, fonts, input};
  std::vector<SAnswer> answers;
};

TEST_F(DialogLayerTest, EmptyNameIsRefusedUntilTypedThenReturned) {
  OpenName("");
  ASSERT_TRUE(layer.IsOpen());
  EXPECT_TRUE(input.on);
  Frame();
  CTextInputDialog twin = Twin();
  const SRect ok = twin.Frame().ButtonRect(CDialogFrame::kOkButton);
  const int labelX = (ok.left + ok.right - 18) / 2 + 1, labelY = twin.Frame().TextTop(ok) + 1;
  EXPECT_TRUE(Near(At(labelX, labelY), CDialogFrame::kDisabledText));
  Key(vk::kReturn);
  Click(ok);
  Frame();
  EXPECT_TRUE(layer.IsOpen());
  EXPECT_TRUE(answers.empty());

  layer.OnTextInput(U8(u8"太郎"));
  Frame();
  EXPECT_TRUE(Near(At(labelX, labelY), CDialogFrame::kText)) << "OK is enabled once there is text";
  Click(ok);
  Frame();
  EXPECT_FALSE(layer.IsOpen());
  EXPECT_FALSE(input.on);
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_TRUE(answers[0].ok);
  EXPECT_EQ(answers[0].text, "太郎");
  EXPECT_EQ(At(200, 150), kScreen) << "the game is drawn again where the dialog was";
}

TEST_F(DialogLayerTest, CancelAndEscapeAnswerNoAndEmptyTextMayBeAllowed) {
  OpenName("主人公");
  Key(vk::kEscape);
  OpenName("主人公");
  Click(Twin().Frame().ButtonRect(CDialogFrame::kCancelButton));
  // A press that leaves the button before the release does nothing.
  OpenName("", 32, true);
  const SRect ok = Twin(32).Frame().ButtonRect(CDialogFrame::kOkButton);
  layer.OnLButtonDown(ok.left + 2, ok.top + 2);
  layer.OnLButtonUp(ok.left - 2, ok.top + 2);
  EXPECT_TRUE(layer.IsOpen());
  Key(vk::kReturn);
  Frame();
  ASSERT_EQ(answers.size(), 3u);
  EXPECT_FALSE(answers[0].ok);
  EXPECT_EQ(answers[0].text, "");
  EXPECT_FALSE(answers[1].ok);
  EXPECT_TRUE(answers[2].ok);
  EXPECT_EQ(answers[2].text, "");
}

TEST_F(DialogLayerTest, NinthByteOfANameIsRefused) {
  OpenName("");
  layer.OnTextInput(U8(u8"やまだ"));
  layer.OnTextInput(U8(u8"たろう"));
  layer.OnTextInput("x");
  Key(vk::kReturn);
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_EQ(answers[0].text, "やまだた");
}

TEST_F(DialogLayerTest, CompositionIsDrawnInTheFieldAndKeepsItsKeys) {
  OpenName("");
  Frame();
  const SRect field = input.field;
  ASSERT_EQ(field, Twin().TextField()) << "the input method is told where the field is";
  const int left = field.left + 4, top = (field.top + field.bottom - 18) / 2;
  EXPECT_EQ(At(left + 1, top + 18), CDialogFrame::kFieldFill);

  layer.OnTextEditing(U8(u8"にほん"), 3);
  Frame();
  // Three composed characters, underlined, with the caret after them.
  EXPECT_EQ(At(left + 1, top + 1), CDialogFrame::kFieldText);
  EXPECT_EQ(At(left + 1, top + 18), CDialogFrame::kHighlight);
  EXPECT_EQ(At(left + 53, top + 18), CDialogFrame::kHighlight);
  EXPECT_EQ(At(left + 56, top + 18), CDialogFrame::kFieldFill);
  EXPECT_EQ(At(left + 55, top + 5), CDialogFrame::kFieldText);  // the caret
  EXPECT_EQ(At(left + 58, top + 5), CDialogFrame::kFieldFill);

  // Enter and Escape belong to the input method while it composes.
  Key(vk::kReturn);
  Key(vk::kEscape);
  Key(vk::kBack);
  EXPECT_TRUE(layer.IsOpen());
  layer.OnTextInput(U8(u8"日本"));
  layer.OnTextEditing("", 0);
  Frame();
  EXPECT_EQ(At(left + 1, top + 18), CDialogFrame::kFieldFill) << "committed text is not underlined";
  EXPECT_EQ(At(left + 1, top + 1), CDialogFrame::kFieldText);
  Key(vk::kReturn);
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_EQ(answers[0].text, "日本");
}

TEST_F(DialogLayerTest, LongTextScrollsSoTheCaretStaysInTheField) {
  OpenName("", 200, true);
  std::string many;
  for (int i = 0; i < 60; ++i) many += U8(u8"あ");
  layer.OnTextInput(many);
  Frame();
  const SRect field = input.field;
  const int left = field.left + 4, top = (field.top + field.bottom - 18) / 2;
  const int room = field.Width() - 9;
  const int caretX = left + room / 18 * 18;
  EXPECT_EQ(At(caretX - 1, top + 1), CDialogFrame::kFieldText);
  EXPECT_EQ(At(caretX + 1, top + 1), CDialogFrame::kFieldText);  // the caret itself
  EXPECT_EQ(At(caretX + 3, top + 1), CDialogFrame::kFieldFill);
  EXPECT_EQ(At(field.right + 1, top + 1), At(field.right + 1, field.top - 2)) << "no text beyond the field";
  Key(vk::kHome);
  Frame();
  EXPECT_EQ(At(left + 1, top + 1), CDialogFrame::kFieldText);  // caret at the start, text after it
  EXPECT_EQ(At(left + 3, top + 1), CDialogFrame::kFieldText);
}

TEST_F(DialogLayerTest, AnswerMayOpenTheNextDialogAndANewOneCancelsTheOpenOne) {
  layer.OpenTextInput("名前", "一つ目", "", 8, true, [this](bool ok, const std::string&) {
    answers.push_back({ok, "first"});
    if (ok) OpenName("次");
  });
  Key(vk::kReturn);
  Frame();
  EXPECT_TRUE(layer.IsOpen()) << "the dialog opened by the answer";
  EXPECT_TRUE(input.on);
  OpenName("三つ目");
  Frame();
  ASSERT_EQ(answers.size(), 2u);
  EXPECT_FALSE(answers[1].ok) << "replaced dialogs answer Cancel";
  Key(vk::kReturn);
  ASSERT_EQ(answers.size(), 3u);
  EXPECT_EQ(answers[2].text, "三つ目");
  // Nothing is open: input goes nowhere.
  layer.OnTextInput("x");
  layer.OnKeyDown(vk::kReturn, true);
  EXPECT_EQ(answers.size(), 3u);
}

TEST_F(DialogLayerTest, HoverAndPressMarkWhatTheyChange) {
  OpenName("abc");
  Frame();
  const SRect ok = Twin().Frame().ButtonRect(CDialogFrame::kOkButton);
  const uint32_t before = At(ok.left + 3, ok.top + 3);
  layer.OnMouseMove(ok.left + 3, ok.top + 3);
  Frame();
  const uint32_t hovered = At(ok.left + 3, ok.top + 3);
  EXPECT_NE(hovered, before);
  layer.OnLButtonDown(ok.left + 3, ok.top + 3);
  Frame();
  EXPECT_NE(At(ok.left + 3, ok.top + 3), hovered);
  layer.OnMouseMove(0, 0);
  layer.OnLButtonUp(0, 0);
  Frame();
  EXPECT_EQ(At(ok.left + 3, ok.top + 3), before);
  // A held key repeats editing but never confirms.
  layer.OnKeyDown(vk::kBack, false);
  layer.OnKeyDown(vk::kReturn, false);
  Frame();
  EXPECT_TRUE(layer.IsOpen());
}

}  // namespace
