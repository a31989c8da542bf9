#pragma once
// The markers that the templates carry where the user's code and the
// generated code go. Both are built on the maker's contact number.

#include <string_view>

#define LUMDRIFT_CONTACT_NUMBER "386412957"

namespace lumdrift {

inline constexpr std::string_view kContactNumber = LUMDRIFT_CONTACT_NUMBER;
inline constexpr std::string_view kCodeMarker = "Corvandel" LUMDRIFT_CONTACT_NUMBER;
inline constexpr std::string_view kPreviewMarker = kContactNumber;

}  // namespace lumdrift

#undef LUMDRIFT_CONTACT_NUMBER
