#include "script/ExpressionEvaluator.h"

#include "io/ShiftJis.h"
#include "platform/Random.h"
#include "script/GameClock.h"
#include "script/VariableStore.h"

namespace {

struct SOperator {
  const char* token;
  int precedence;
};

// Index order matters: lookups take the first match, and indices decide arity and associativity.
constexpr SOperator kOperators[] = {
    {"(", 13},   {"++", 1},  {"--", 1},  {"(++)", 2}, {"(--)", 2}, {"(~)", 2},  {"(-)", 2}, {"(!)", 2},
    {"*", 3},    {"/", 3},   {"%", 3},   {"+", 4},    {"-", 4},    {"<<", 4},   {">>", 4},  {"&", 7},
    {"|", 9},    {"^", 8},   {"==", 6},  {"!=", 6},   {"<=", 5},   {">=", 5},   {"<", 5},   {">", 5},
    {"&&", 10},  {"||", 11}, {"*=", 12}, {"/=", 12},  {"%=", 12},  {"+=", 12},  {"-=", 12}, {"<<=", 12},
    {">>=", 12}, {"&=", 12}, {"|=", 12}, {"^=", 12},  {"&&=", 12}, {"||=", 12}, {"=", 12},  {"rand", 1},
};
constexpr int kOperatorCount = sizeof kOperators / sizeof kOperators[0];
constexpr int kParenthesis = 0;
constexpr int kLastLeftAssociative = 25;
constexpr int kFirstAssignment = 26;
constexpr int kAssign = 38;
constexpr int kRand = 39;

bool IsOperatorChar(unsigned char c) {
  switch (c) {
    case '+':
    case '-':
    case '*':
    case '/':
    case '=':
    case '<':
    case '>':
    case '%':
    case '&':
    case '|':
    case '!':
    case '~':
    case '^':
    case '(':
      return true;
    default:
      return false;
  }
}

bool IsSpace(unsigned char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

int FindOperator(std::string_view token) {
  for (int i = 0; i < kOperatorCount; ++i)
    if (token == kOperators[i].token) return i;
  return -1;
}

bool IsUnary(int op) { return (op >= 1 && op <= 7) || op == kRand; }

// The decimal value of the leading digits, wrapping at 32 bits.
int32_t LeadingDigits(std::string_view token) {
  uint32_t value = 0;
  for (unsigned char c : token) {
    if (c < '0' || c > '9') break;
    value = value * 10u + (c - '0');
  }
  return static_cast<int32_t>(value);
}

int32_t Bool(bool value) { return value ? 1 : 0; }

int32_t Wrap(uint32_t value) { return static_cast<int32_t>(value); }

// Quotient and remainder with the two undefined cases mapped to 0.
int32_t Divide(int32_t left, int32_t right, bool remainder) {
  if (right == 0 || (left == INT32_MIN && right == -1)) return 0;
  return remainder ? left % right : left / right;
}

// Compound assignments compute with the operator they extend.
int BaseOfAssignment(int op) {
  static constexpr int kBase[] = {8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 24, 25};
  return kBase[op - kFirstAssignment];
}

}  // namespace

CExpressionEvaluator::CExpressionEvaluator(CVariableStore& variables, CGameClock& clock, CRandom& random)
    : variables(variables), clock(clock), random(random) {}

int32_t CExpressionEvaluator::Evaluate(std::string_view text, int32_t emptyResult) {
  variables.SetVariable("TIME", clock.DayMinutes());
  variables.SetVariable("NAME_CHANGE", Bool(variables.IsSubstitutionChanged("主人公の名前")));
  operands.clear();
  operators.clear();
  expectOperand = true;
  clockChanged = false;

  size_t i = 0;
  while (i < text.size()) {
    const unsigned char c = text[i];
    if (IsSpace(c)) {
      ++i;
      continue;
    }
    const size_t start = i;
    if (c == '(' || c == ')') {
      Token(text.substr(start, 1), false);
      ++i;
      continue;
    }
    const bool operatorRun = IsOperatorChar(c);
    while (i < text.size()) {
      const unsigned char d = text[i];
      if (IsSpace(d) || d == '(' || d == ')' || IsOperatorChar(d) != operatorRun) break;
      i += (!operatorRun && sjis::IsLeadByte(d) && i + 1 < text.size()) ? 2 : 1;
    }
    Token(text.substr(start, i - start), operatorRun);
  }
  while (!operators.empty()) {
    const int op = operators.back();
    operators.pop_back();
    Apply(op);
  }
  const int32_t result = operands.empty() ? emptyResult : operands.back().GetValue();

  const int32_t time = variables.GetVariable("TIME");
  if (time != clock.DayMinutes()) {
    clock.SetDayPlusMinutes(time);
    clockChanged = true;
  }
  return result;
}

void CExpressionEvaluator::Token(std::string_view token, bool operatorRun) {
  if (token == ")") {
    CloseParenthesis();
    expectOperand = false;
    return;
  }
  std::string name(token);
  if (operatorRun && expectOperand) name = "(" + name + ")";
  const int op = FindOperator(name);
  if (op < 0) {
    const unsigned char first = name[0];
    if (sjis::IsLeadByte(first) || first < '0' || first > '9')
      operands.push_back(CExpressionOperand::Variable(variables, std::move(name)));
    else
      operands.push_back(CExpressionOperand::Number(LeadingDigits(name)));
    expectOperand = false;
    return;
  }
  PushOperator(op);
}

void CExpressionEvaluator::PushOperator(int op) {
  if (op != kParenthesis) {
    const int precedence = kOperators[op].precedence;
    while (!operators.empty()) {
      const int top = kOperators[operators.back()].precedence;
      if (!(top < precedence || (top == precedence && op <= kLastLeftAssociative))) break;
      const int apply = operators.back();
      operators.pop_back();
      Apply(apply);
    }
  }
  operators.push_back(op);
  expectOperand = !(op == 1 || op == 2);
}

void CExpressionEvaluator::CloseParenthesis() {
  while (!operators.empty()) {
    const int op = operators.back();
    operators.pop_back();
    if (op == kParenthesis) return;
    Apply(op);
  }
}

void CExpressionEvaluator::Apply(int op) {
  if (op == kParenthesis) return;
  if (IsUnary(op))
    ApplyUnary(op);
  else
    ApplyBinary(op);
}

void CExpressionEvaluator::ApplyUnary(int op) {
  if (operands.empty()) return;
  CExpressionOperand operand = std::move(operands.back());
  operands.pop_back();
  const int32_t value = operand.GetValue();
  const uint32_t bits = static_cast<uint32_t>(value);
  int32_t result = 0;
  switch (op) {
    case 1:
    case 3:
      operand.SetValue(Wrap(bits + 1u));
      result = op == 1 ? value : Wrap(bits + 1u);
      break;
    case 2:
    case 4:
      operand.SetValue(Wrap(bits - 1u));
      result = op == 2 ? value : Wrap(bits - 1u);
      break;
    case 5:
      result = Wrap(~bits);
      break;
    case 6:
      result = Wrap(0u - bits);
      break;
    case 7:
      result = Bool(value == 0);
      break;
    default:  // rand n: n × r / 32768 with r in 0..32767, exact in 64 bits
      result = static_cast<int32_t>(static_cast<int64_t>(value) * random.Next() / 32768);
      break;
  }
  operands.push_back(CExpressionOperand::Number(result));
}

void CExpressionEvaluator::ApplyBinary(int op) {
  if (operands.empty()) return;
  const int32_t right = operands.back().GetValue();
  operands.pop_back();
  if (operands.empty()) return;
  CExpressionOperand left = std::move(operands.back());
  operands.pop_back();
  int32_t result;
  if (op == kAssign) {
    result = right;
    left.SetValue(result);
  } else if (op >= kFirstAssignment) {
    result = Binary(BaseOfAssignment(op), left.GetValue(), right);
    left.SetValue(result);
  } else {
    result = Binary(op, left.GetValue(), right);
  }
  operands.push_back(CExpressionOperand::Number(result));
}

int32_t CExpressionEvaluator::Binary(int op, int32_t left, int32_t right) {
  const uint32_t a = static_cast<uint32_t>(left);
  const uint32_t b = static_cast<uint32_t>(right);
  switch (op) {
    case 8:
      return Wrap(a * b);
    case 9:
      return Divide(left, right, false);
    case 10:
      return Divide(left, right, true);
    case 11:
      return Wrap(a + b);
    case 12:
      return Wrap(a - b);
    case 13:
      return Wrap(a << (b & 31u));
    case 14:
      return left >> (b & 31u);
    case 15:
      return Wrap(a & b);
    case 16:
      return Wrap(a | b);
    case 17:
      return Wrap(a ^ b);
    case 18:
      return Bool(left == right);
    case 19:
      return Bool(left != right);
    case 20:
      return Bool(left <= right);
    case 21:
      return Bool(left >= right);
    case 22:
      return Bool(left < right);
    case 23:
      return Bool(left > right);
    case 24:
      return Bool(left != 0 && right != 0);
    default:
      return Bool(left != 0 || right != 0);  // 25
  }
}
