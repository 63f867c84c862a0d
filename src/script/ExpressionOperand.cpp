#include "script/ExpressionOperand.h"

#include "script/VariableStore.h"

CExpressionOperand CExpressionOperand::Number(int32_t value) {
  CExpressionOperand operand;
  operand.number = value;
  return operand;
}

CExpressionOperand CExpressionOperand::Variable(CVariableStore& store, std::string name) {
  CExpressionOperand operand;
  operand.store = &store;
  operand.name = std::move(name);
  return operand;
}

int32_t CExpressionOperand::GetValue() const { return store ? store->GetVariable(name) : number; }

void CExpressionOperand::SetValue(int32_t value) {
  if (store)
    store->SetVariable(name, value);
  else
    number = value;
}
