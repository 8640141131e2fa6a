// The texts of the notice window: a notice's hash, its line breaks, and the notices put
// together for the window or the final message box.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// From 0, for each byte: rotate left by one bit, then XOR the byte in.
std::uint32_t NoticeHash(const std::string& text);

// CR LF, a lone CR and a lone LF all become CR LF; double-byte characters pass whole.
std::string NormalizeLineBreaks(const std::string& text);

// Each notice after an empty line ("\r\n\r\n"), whole notices only: when the next one would
// pass maxChars bytes or maxLines line feeds (-1: no limit), "\r\n\r\n≪お知らせが多すぎます≫"
// ends the text instead.
std::string ComposeNotices(const std::vector<std::string>& notices, int maxChars, int maxLines);
