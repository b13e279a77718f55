#pragma once
// The program's run-time error: a number, a readable description and the
// component that raised it. Every layer throws this type.
#include <exception>
#include <stdexcept>
#include <string>

namespace vb {

class Error : public std::runtime_error {
public:
  Error(int number, std::string description, std::string source = "");
  int number() const { return number_; }
  const std::string& description() const { return description_; }
  const std::string& source() const { return source_; }

private:
  int number_;
  std::string description_;
  std::string source_;
};

namespace err {
constexpr int Overflow = 6, OutOfMemory = 7, SubscriptOutOfRange = 9, TypeMismatch = 13,
              InvalidUseOfNull = 94, ObjectRequired = 424, DuplicateKey = 457;
}

// The standard text for a run-time error number ("Type mismatch" for 13);
// "Application-defined or object-defined error" for numbers without one.
std::string standardDescription(int number);

// The text a failure is reported with: an Error's description, any other
// exception's what().
std::string errorDescription(const std::exception& e);

// Throws Error; an empty description takes the standard text of the number.
[[noreturn]] void raise(int number, const std::string& description = "",
                        const std::string& source = "");

}  // namespace vb
