// The size of the shortest valid LZ01 body for some data, found without the packer's match
// finder, so that the benchmark can show how far the packer is from the optimum.
#pragma once

#include <cstddef>
#include <string>

std::size_t ExactShortestBody(const std::string& data);
