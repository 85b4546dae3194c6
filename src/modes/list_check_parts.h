#pragma once
// Pieces shared by the checkers of the three list syntaxes.
#include <string>
#include <string_view>
#include <vector>

#include "modes/dimension.h"
#include "modes/list_check.h"

namespace tsln {

ListCheck CheckNormalSyntax(std::string_view text);
ListCheck CheckCompressedSyntax(std::string_view text);
ListCheck CheckMaskSyntax(std::string_view text);

ListCheck Pass();
ListCheck Fail(std::string reason);

// Where part starts within whole; part must be a view into whole.
size_t PositionIn(std::string_view whole, std::string_view part);
std::string Quoted(std::string_view text);

std::vector<std::string_view> SplitAt(std::string_view text, char separator);
// Why text is no width or height ("" when it is one), as the reasons word it.
std::string DimensionFaultText(std::string_view text);
bool IsLadderRate(std::string_view text);

}  // namespace tsln
