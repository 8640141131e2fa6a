// Expands an LZ01 file into the file it was made from, verified by length and checksum and
// stamped with the time the compressed file carries.
#pragma once

#include "gen0/GenError.h"

void LzsExpandFile(const WideString& source, const WideString& destination);
