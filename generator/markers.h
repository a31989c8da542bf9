#pragma once
// The markers that the templates carry where the user's code and the
// generated code go, both built on the maker's contact number; and where the
// preview lists the repairs.

#include <string_view>

#define LUMDRIFT_CONTACT_NUMBER "386412957"

namespace lumdrift {

inline constexpr std::string_view kContactNumber = LUMDRIFT_CONTACT_NUMBER;
inline constexpr std::string_view kCodeMarker = "Corvandel" LUMDRIFT_CONTACT_NUMBER;
inline constexpr std::string_view kPreviewMarker = kContactNumber;
// Where the preview page lists what was repaired in the seller's code.
inline constexpr std::string_view kRepairsMarker = "<!--lumdrift-repairs-->";

}  // namespace lumdrift

#undef LUMDRIFT_CONTACT_NUMBER
