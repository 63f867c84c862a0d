#pragma once
#include <cstdint>
#include <string>

class CVariableStore;

// An operand on the evaluator's stack: a number, or a reference to a variable whose reads and
// writes go to the variable store. Writing to a number changes only the temporary.
class CExpressionOperand {
 public:
  static CExpressionOperand Number(int32_t value);
  static CExpressionOperand Variable(CVariableStore& store, std::string name);

  int32_t GetValue() const;
  void SetValue(int32_t value);

 private:
  CVariableStore* store = nullptr;
  std::string name;
  int32_t number = 0;
};
