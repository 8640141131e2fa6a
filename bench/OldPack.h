// The packer before this work, for side-by-side figures.
#pragma once

#include <string>

// A body of the fewest bytes, found as the packer found it before.
std::string OldPackBody(const std::string& data);
