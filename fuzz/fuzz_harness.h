#pragma once

#include <string>
#include <string_view>

// Each fuzz target defines what differs, on one input, between the product
// and its reference: the step-by-step model, or the same input given whole.
// "" when nothing does.
std::string differencesOn(std::string_view input);
