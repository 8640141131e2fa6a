#include "gen0/GenSystemText.h"

// The host has no message table of Windows codes: every unknown code takes the fallback form.
std::string SystemMessageText(std::uint32_t) { return {}; }
