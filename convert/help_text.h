#pragma once

#include <string>

namespace glyphmill::convert {

// The short usage text that follows a usage error.
std::string usageText();
// The whole description that --help prints.
std::string helpText();
// The found byte of a strict-mode fault as the message shows it: 'x' for a
// printable character, C escapes for the others, or "end of input".
std::string describeFound(int found);

} // namespace glyphmill::convert
