#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace glyphmill::model {

// binary-to-text --strict written out from the rules its help gives, one
// byte at a time, on the standard library alone. `files` are read one after
// another as one input. Returns the codes written, then, after a fault,
// " LINE:COLUMN FOUND": the place in its file and the byte's number, or -1
// for a short group at the end of the input.
std::string strictDigits(std::initializer_list<std::string_view> files);

} // namespace glyphmill::model
