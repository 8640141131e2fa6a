// Writing the LZ01 format: the header and a body of the fewest bytes that decodes to the data.
#pragma once

#include <cstdint>
#include <string>

#include "expand/LzsFormat.h"

std::string LzsHeaderBytes(const TLzsHeader& header);
// Byte-optimal parse: no other valid body is shorter.
std::string LzsPackBody(const std::string& data);
// Header with Len, Sum and the given FileTime, followed by the body.
std::string LzsPackFile(const std::string& data, std::uint64_t fileTime);
