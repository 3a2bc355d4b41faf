#include "runtime/base/runtime_error.h"

namespace glyphmill {

RuntimeError::RuntimeError(int number, const std::string &description)
    : std::runtime_error(description)
    , m_number(number)
    , m_description(description) {}

RuntimeError RuntimeError::withDetail(const std::string &detail) const {
    RuntimeError error(*this);
    error.m_detail = detail;
    return error;
}

RuntimeError RuntimeError::invalidCall(const std::string &description) {
    return RuntimeError(error_number::kInvalidCall, description);
}

RuntimeError RuntimeError::overflow() {
    return RuntimeError(error_number::kOverflow, "Overflow");
}

RuntimeError RuntimeError::typeMismatch() {
    return RuntimeError(error_number::kTypeMismatch, "Type mismatch");
}

} // namespace glyphmill
