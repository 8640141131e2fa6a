// The platform's own text for an error code, as it stands (empty when it has none).
#pragma once

#include <cstdint>
#include <string>

std::string SystemMessageText(std::uint32_t code);
