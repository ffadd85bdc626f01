// Doubts about a module file that loads: a file cut short, or headers that claim more than the file holds.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// For an XM file, walks its pattern, instrument and sample headers and says
// why the file cannot hold the module it describes ("the file is cut
// short ..."); empty when it can, or when the file is not an XM.
std::string module_size_doubt(const uint8_t* data, size_t size);
