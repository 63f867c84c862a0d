#include "ScriptFuzzTarget.h"

#include <string>

#include "FakeScriptHost.h"
#include "script/ExpressionEvaluator.h"
#include "script/ScriptParser.h"

int ScriptFuzzOne(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  ParseScript(text);

  SScriptFixture fixture;
  fixture.runner.SetStepBudget(200);
  fixture.files["sub.adv"] = text;
  fixture.Start(text, 3);
  for (int frame = 0; frame < 4 && fixture.runner.IsActive(); ++frame) {
    fixture.host.choiceTaken = fixture.host.mode == 6 ? -1 : 0;
    fixture.Click();
  }

  CVariableStore variables;
  CGameClock clock;
  CRandom random;
  CExpressionEvaluator(variables, clock, random).Evaluate(text, 0);
  return 0;
}
