#pragma once

#include <stdexcept>
#include <string>

namespace glyphmill {

// An error raised by a value operation or a conversion. It carries the
// runtime's error number and description, which the user sees in the report.
class RuntimeError : public std::runtime_error {
  public:
    RuntimeError(int number, const std::string &description);

    int number() const noexcept { return m_number; }
    const std::string &description() const noexcept { return m_description; }
    // What the error concerns, for the user's report ("" when nothing).
    const std::string &detail() const noexcept { return m_detail; }
    RuntimeError withDetail(const std::string &detail) const;

    static RuntimeError invalidCall(const std::string &description);
    static RuntimeError overflow();
    static RuntimeError typeMismatch();

  private:
    int m_number;
    std::string m_description;
    std::string m_detail;
};

namespace error_number {
inline constexpr int kInvalidCall = 5;
inline constexpr int kOverflow = 6;
inline constexpr int kOutOfMemory = 7;
inline constexpr int kTypeMismatch = 13;
inline constexpr int kInternalError = 51;
} // namespace error_number

} // namespace glyphmill
