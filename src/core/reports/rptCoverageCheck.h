#pragma once

#include <QString>

class dvData;
class rptGeneral;

// "Coverage Check": per item type the number of items and their value (replacement price, or
// purchase price where none is recorded) against the type's sub-limit, every type over its
// limit marked; then all items against the policy's contents limit.
namespace rptCoverageCheck {

inline constexpr const char* Title = "Coverage Check";
// The marker of a line whose value goes beyond its limit.
inline constexpr const char* OverMarker = "OVER LIMIT";

// Writes the page and returns its path.
QString Generate(rptGeneral& page, const dvData& data);

} // namespace rptCoverageCheck
