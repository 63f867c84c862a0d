#include "app/PlayerKeys.h"

#include "app/GameSystem.h"
#include "app/Screenshot.h"
#include "persist/Settings.h"
#include "platform/Platform.h"
#include "platform/VirtualKeys.h"
#include "ui/MessageText.h"

bool CPlayerKeys::GameBindsF12() {
  const uint32_t f12 = vk::kF1 + 11;
  for (const std::string& button : CShortcutKeys::ButtonNames())
    if (settings::ShortcutKeys().Get(button).key == f12) return true;
  return false;
}

bool CPlayerKeys::OnKeyDown(uint32_t key, uint32_t flags) {
  if (!game.IsStarted()) return false;
  const bool firstPress = (flags & vk::kFlagRepeat) == 0;
  IInput& input = game.Platform().Input();
  if (key == vk::kSnapshot || (key == vk::kF1 + 11 && !GameBindsF12())) {
    if (firstPress)
      CScreenshot::Save(game.Display(), settings::GetTitle(), CScreenshot::Folder(game.Platform().Files()));
    return true;
  }
  if (key == vk::kA + ('C' - 'A') && input.IsKeyDown(vk::kControl) && !input.IsKeyDown(vk::kMenu)) {
    if (firstPress) CopyPage();
    return true;
  }
  return false;
}

void CPlayerKeys::CopyPage() {
  const CMessagePage& page = game.Text().Page();
  if (page.HasText()) game.Platform().Clipboard().SetText(page.Text(true));
}
