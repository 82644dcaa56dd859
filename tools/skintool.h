// skintool: packs a skin folder into a package, unpacks a package into a
// folder and describes either. Run() is the whole tool, so that tests call it
// directly; the executable only forwards its arguments.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace vx::skintool {

// The name unpack gives the INI file it writes.
constexpr const char* kUnpackedIniName = "skin.ini";

// args are the arguments after the program name. Returns 0 on success, 1 when
// a command failed and 2 for a usage error; messages go to err.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// True when a picture name from [PICTURES] stays inside the folder it is
// relative to: not empty, not absolute, no ".." part, no NUL.
bool IsSafePictureName(const std::string& name);

}  // namespace vx::skintool
