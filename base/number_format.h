#pragma once
// A number as the code the tool writes carries it: the chain's width, height
// and spacing, and the pixels of a repaired placement.

#include <string>

namespace lumdrift {

// "%.13g": at most 13 significant digits, negative zero as "-0".
std::string formatNumber(double value);

// A length in CSS pixels: "0" for none, else the number and "px".
std::string cssPixels(double value);

}  // namespace lumdrift
