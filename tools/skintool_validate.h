// skintool validate and render.
#pragma once

#include <iosfwd>
#include <string>

namespace vx::skintool {

// Checks the skin folder (an .ini path) or package at path and writes one
// line per problem, then a summary line. Returns 0 when there is no problem
// and 1 otherwise; a skin that cannot be read throws the reader's exception.
int Validate(const std::string& path, std::ostream& out);

// Draws a contact sheet of the skin (the frame at two sizes and every control
// section in each of its states, labelled) and writes it as a PNG to pngPath.
int Render(const std::string& path, const std::string& pngPath, std::ostream& out);

}  // namespace vx::skintool
