#pragma once
// The lists the driver installs for each adapter family, for "Set Defaults".
#include <string>

namespace tsln {

enum class NormalDefault { Standard, Integrated };

const std::string& NormalDefaultList(NormalDefault kind);
// number 1 to 4, as the catalogue names them
const std::string& MaskDefaultList(int number);
const std::string& RangeDefaultList(int number);

}  // namespace tsln
