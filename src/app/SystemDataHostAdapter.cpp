#include "app/SystemDataHostAdapter.h"

#include "app/GameSystem.h"
#include "persist/SystemData.h"
#include "ui/MessageText.h"

std::map<std::string, int32_t> CSystemDataHostAdapter::SharedVariables() const {
  return game.Variables().SharedVariables();
}

std::map<std::string, std::string> CSystemDataHostAdapter::Keywords() const {
  return game.Variables().Substitutions();
}

std::map<std::string, std::vector<uint8_t>> CSystemDataHostAdapter::ReadFlagArrays() const {
  return game.Text().ReadFlags().Arrays();
}

void CSystemDataHostAdapter::Attach() {
  CSystemData& data = CSystemData::Instance();
  for (const auto& [name, value] : data.SharedVariables()) game.Variables().SetVariable(name, value);
  CReadFlags& flags = game.Text().ReadFlags();
  for (const auto& [script, bytes] : data.ReadFlagArrays()) flags.SetArray(script, bytes);
  data.Attach(this);
}

void CSystemDataHostAdapter::Detach() { CSystemData::Instance().Detach(this); }
