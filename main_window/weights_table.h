#pragma once

#include "runtime/value.h"

namespace glyphmill {

// A weights table: nine texts, index 0 unused ("") and then the weights of
// the eight digits of a code, most significant first: "128" down to "1".
Value makeWeightsTable();

} // namespace glyphmill
