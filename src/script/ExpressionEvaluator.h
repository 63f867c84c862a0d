#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "script/ExpressionOperand.h"

class CGameClock;
class CRandom;
class CVariableStore;

// Evaluates the scripts' infix integer expressions (conditions, EXP) over the variable store.
// Arithmetic is 32-bit two's complement; division and remainder by zero, and the smallest integer
// divided by -1, give 0. Assignments through variable references change the store.
class CExpressionEvaluator {
 public:
  CExpressionEvaluator(CVariableStore& variables, CGameClock& clock, CRandom& random);

  // The value of the expression, or emptyResult when it yields none. The built-in variables
  // "TIME" and "NAME_CHANGE" are refreshed before, and an assignment to "TIME" moves the clock.
  int32_t Evaluate(std::string_view text, int32_t emptyResult);
  // True when the last Evaluate moved the game clock (the screen then needs a redraw).
  bool ClockChanged() const { return clockChanged; }

 private:
  void Token(std::string_view token, bool operatorRun);
  void PushOperator(int op);
  void CloseParenthesis();
  void Apply(int op);
  void ApplyUnary(int op);
  void ApplyBinary(int op);
  int32_t Binary(int op, int32_t left, int32_t right);

  CVariableStore& variables;
  CGameClock& clock;
  CRandom& random;
  std::vector<CExpressionOperand> operands;
  std::vector<int> operators;
  bool expectOperand = true;
  bool clockChanged = false;
};
