#pragma once
// The markers that the templates carry where the user's code and the
// generated code go. The nine digits are the same in both.

#include <string_view>

namespace lumdrift {

inline constexpr std::string_view kPreviewMarker = "386412957";  // the contact number
inline constexpr std::string_view kCodeMarker = "Corvandel386412957";
static_assert(kCodeMarker.ends_with(kPreviewMarker));

}  // namespace lumdrift
