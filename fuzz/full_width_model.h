// A second reading of the full-width folding, unit by unit: an ASCII byte,
// a GBK pair, or a lead byte left alone at the end.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tamrel::fuzz {

// The units of a zero-free byte string, in order; a lone lead byte at the
// end is a unit of its own.
std::vector<std::string_view> GbkUnits(std::string_view text);

// What folding makes of `text`: each pair of the folding table becomes its
// ASCII byte, other pairs and ASCII bytes stay, a lone lead byte at the end goes.
std::string FoldedModel(std::string_view text);

}  // namespace tamrel::fuzz
