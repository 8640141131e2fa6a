// What the raise-time filter shows before it ends the process.
#pragma once

#include <cstdint>
#include <string>

extern const char StackOverflowText[];

// "メモリアクセスエラー" with the code address, the data address and the operation, each in an
// 8-byte field of a fixed text; with fewer than two parameters the last two are "不明".
std::string AccessViolationText(std::uint32_t codeAddr, std::uint32_t nparams, std::uint32_t info0,
                                std::uint32_t info1);
