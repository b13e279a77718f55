#include "platform/vb/error.h"

namespace vb {

Error::Error(int number, std::string description, std::string source)
    : std::runtime_error(description),
      number_(number),
      description_(std::move(description)),
      source_(std::move(source)) {}

std::string standardDescription(int number) {
  switch (number) {
    case 5: return "Invalid procedure call or argument";
    case 6: return "Overflow";
    case 7: return "Out of memory";
    case 9: return "Subscript out of range";
    case 11: return "Division by zero";
    case 13: return "Type mismatch";
    case 53: return "File not found";
    case 91: return "Object variable or With block variable not set";
    case 94: return "Invalid use of Null";
    case 424: return "Object required";
    case 438: return "Object doesn't support this property or method";
    case 457: return "This key is already associated with an element of this collection";
    default: return "Application-defined or object-defined error";
  }
}

std::string errorDescription(const std::exception& e) {
  if (const auto* err = dynamic_cast<const Error*>(&e)) return err->description();
  return e.what();
}

void raise(int number, const std::string& description, const std::string& source) {
  throw Error(number, description.empty() ? standardDescription(number) : description, source);
}

}  // namespace vb
