#include "services/RaiseFilterTexts.h"

#include <cstdio>

const char StackOverflowText[] = "スタックオーバーフロー";

namespace {
const char AccessViolationTemplate[] =
    "メモリアクセスエラー \r\nコードアドレス:11111111 データアドレス:22222222 操作:33333333\r\n";
// Both operation words and "不明" padded with blanks are 8 Shift-JIS bytes, as the fields are.
constexpr std::size_t FieldSize = 8;

void PutHex(std::string& text, std::size_t at, std::uint32_t v) {
  char hex[FieldSize + 1];
  std::snprintf(hex, sizeof hex, "%08X", static_cast<unsigned>(v));
  text.replace(at, FieldSize, hex, FieldSize);
}
}  // namespace

std::string AccessViolationText(std::uint32_t codeAddr, std::uint32_t nparams, std::uint32_t info0,
                                std::uint32_t info1) {
  std::string text = AccessViolationTemplate;
  // Offsets come from the template before any field is filled: a filled-in address may read
  // like a later field's placeholder.
  const std::size_t code = text.find("11111111"), data = text.find("22222222"),
                    op = text.find("33333333");
  PutHex(text, code, codeAddr);
  if (nparams >= 2) {
    PutHex(text, data, info1);
    text.replace(op, FieldSize, info0 == 0 ? "読み込み" : "書き込み", FieldSize);
  } else {
    text.replace(data, FieldSize, "不明    ", FieldSize);
    text.replace(op, FieldSize, "不明    ", FieldSize);
  }
  return text;
}
