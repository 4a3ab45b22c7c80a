// A value of the block language: empty, 32-bit integer, real, text or boolean.
//
// Numbers and booleans live inline; text is shared between copies, so passing
// values around never copies characters. Text is Windows-1250.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace tessaro {

enum class ValueKind : uint8_t { Empty, Integer, Real, String, Boolean };

class TValue {
 public:
  TValue() : int_(0) {}
  static TValue Integer(int32_t v) { TValue x; x.kind_ = ValueKind::Integer; x.int_ = v; return x; }
  static TValue Real(double v) { TValue x; x.kind_ = ValueKind::Real; x.real_ = v; return x; }
  static TValue Boolean(bool v) { TValue x; x.kind_ = ValueKind::Boolean; x.bool_ = v; return x; }
  static TValue String(std::string v) {
    TValue x;
    x.kind_ = ValueKind::String;
    x.text_ = std::make_shared<const std::string>(std::move(v));
    return x;
  }

  ValueKind Kind() const { return kind_; }
  bool IsEmpty() const { return kind_ == ValueKind::Empty; }
  int32_t AsInteger() const { return int_; }
  double AsReal() const { return real_; }
  bool AsBoolean() const { return bool_; }
  // The text of a String value; an empty text for every other kind.
  const std::string& AsString() const;

  // Same kind and same content.
  bool operator==(const TValue& other) const;

 private:
  ValueKind kind_ = ValueKind::Empty;
  union {
    int32_t int_;
    double real_;
    bool bool_;
  };
  std::shared_ptr<const std::string> text_;
};

}  // namespace tessaro
