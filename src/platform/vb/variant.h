#pragma once
// The program's loosely typed value: what a database field, a JSON value or a
// control's value holds, with the conversions the program uses on it.
#include <memory>
#include <type_traits>
#include <utility>
#include <string>

#include "platform/vb/date.h"
#include "platform/vb/decimal.h"
#include "platform/vb/error.h"
#include "platform/vb/locale.h"

namespace vb {

enum class VarType { Empty, Null, Boolean, Long, Double, Decimal, Date, String, Object };

// Base of everything a Variant can refer to.
class Object {
public:
  virtual ~Object() = default;
};

class Variant {
public:
  // The simple constructors are inline: a recordset makes one for every field it reads.
  Variant() = default;  // Empty
  static Variant null() {
    Variant v;
    v.type_ = VarType::Null;
    return v;
  }
  Variant(bool v) : type_(VarType::Boolean), b_(v) {}
  Variant(int v) : type_(VarType::Long), l_(v) {}
  Variant(long v) : type_(VarType::Long), l_(v) {}
  Variant(long long v) : type_(VarType::Long), l_(v) {}
  Variant(unsigned v);
  Variant(unsigned long v);
  Variant(unsigned long long v);  // beyond the signed range it is kept as a Double
  Variant(double v) : type_(VarType::Double), d_(v) {}
  Variant(Decimal v);
  Variant(Date v) : type_(VarType::Date), d_(v.serial) {}
  Variant(const char* v) : type_(VarType::String), s_(v ? v : "") {}
  Variant(char* v) : Variant(static_cast<const char*>(v)) {}
  // Any other raw pointer would quietly become a Boolean; objects go in as shared_ptr.
  template <class T>
  Variant(T*) = delete;
  Variant(std::string v) : type_(VarType::String), s_(std::move(v)) {}
  Variant(std::shared_ptr<Object> v);
  template <class T, class = std::enable_if_t<std::is_base_of<Object, T>::value>>
  Variant(std::shared_ptr<T> v) : Variant(std::shared_ptr<Object>(std::move(v))) {}

  VarType type() const { return type_; }
  bool isEmpty() const { return type_ == VarType::Empty; }
  bool isNull() const { return type_ == VarType::Null; }
  bool isObject() const { return type_ == VarType::Object; }
  bool isNumeric() const;  // numbers, Booleans, Empty, and text that reads as a number

  bool toBool() const;            // CBool: 13 for text that is neither a number nor True/False
  long long toLong() const;       // CLng: half to even; 13 for non-numeric text; 6 beyond 32 bits
  double toDouble() const;        // CDbl: text read with the locale's separators
  Decimal toDecimal() const;      // CDec
  Date toDate() const;            // CDate: text through parseDate; numbers as serials
  std::string toString() const;   // CStr: Empty -> "", Null -> 94, True -> "True"
  std::shared_ptr<Object> toObject() const;  // 424 if not an object

  // The referenced object as T; 424 when not an object, 13 when another kind.
  template <class T>
  std::shared_ptr<T> as() const {
    auto p = std::dynamic_pointer_cast<T>(toObject());
    if (!p) raise(err::TypeMismatch);
    return p;
  }

  // Turn this value into another in place, keeping the room its text had: a
  // recordset remakes each field's value for every record it reads.
  void setNull() { reset(VarType::Null); }
  void setBool(bool v) {
    reset(VarType::Boolean);
    b_ = v;
  }
  void setLong(long long v) {
    reset(VarType::Long);
    l_ = v;
  }
  void setDouble(double v) {
    reset(VarType::Double);
    d_ = v;
  }
  void setDate(Date v) {
    reset(VarType::Date);
    d_ = v.serial;
  }
  void setText(const char* text, size_t size) {
    reset(VarType::String);
    s_.assign(text, size);
  }

  // Raw access, valid only for the matching type.
  bool boolValue() const { return b_; }
  long long longValue() const { return l_; }
  double doubleValue() const { return d_; }
  const Decimal& decimalValue() const { return dec_; }
  Date dateValue() const { return Date{d_}; }
  const std::string& stringValue() const { return s_; }

private:
  // Every member as a new Variant of type t has it, the text's room kept.
  // Members of another type than the held one are always at their defaults.
  void reset(VarType t) {
    if (type_ == VarType::Decimal) dec_ = Decimal();
    if (type_ == VarType::Object) o_.reset();
    type_ = t;
    b_ = false;
    l_ = 0;
    d_ = 0;
    s_.clear();
  }

  VarType type_ = VarType::Empty;
  bool b_ = false;
  long long l_ = 0;
  double d_ = 0;  // Double and Date
  Decimal dec_;
  std::string s_;
  std::shared_ptr<Object> o_;
};

// The program's '=': numbers by value (True is -1), text exactly, dates by
// serial, a number against numeric text by value; Null equals nothing.
bool operator==(const Variant& a, const Variant& b);
inline bool operator!=(const Variant& a, const Variant& b) { return !(a == b); }

// Val(): the leading number of a text, blanks skipped, '.' as decimal point
// whatever the locale; "" or no number gives 0.
double Val(const std::string& text);

// Reads a whole text as a number the way CDbl does (blanks around, sign,
// the locale's decimal and group separators, exponent); false if it is not one.
bool parseNumber(const std::string& text, double& out);
bool parseNumber(const std::string& text, double& out, const Locale& loc);

// A whole number grouped as any region groups it ("1,500,000", "1.500.000",
// "1 500 000", "12,34,567"): the value its digits spell, whatever the regional
// settings in force, so that an amount saved on another PC keeps its value.
// False for any other text (a sign, a letter, a mark at either end or two
// marks in a row).
bool groupedWholeNumber(const std::string& text, double& out);

// A double as CStr writes it: up to 15 significant digits with the given
// decimal separator, an exponent ("1E+20") only for very large or small values.
std::string doubleText(double value, const std::string& decimalSep);

}  // namespace vb
