// Character-wise helpers over Shift-JIS byte strings for the controls: mnemonics in captions
// and the byte limits of text fields.
#pragma once

#include <cstddef>
#include <string>

// The character that "&" marks in a caption ("&&" stands for a plain "&"), as its bytes; empty
// when the caption marks none.
std::string MnemonicOf(const std::string& caption);

// The length of the longest head of text, in whole characters, that fits into room bytes.
std::size_t FitBytes(const std::string& text, std::size_t room);
