#include "core/language/value.h"

namespace tessaro {

const std::string& TValue::AsString() const {
  static const std::string kEmpty;
  return kind_ == ValueKind::String && text_ ? *text_ : kEmpty;
}

bool TValue::operator==(const TValue& other) const {
  if (kind_ != other.kind_) return false;
  switch (kind_) {
    case ValueKind::Empty: return true;
    case ValueKind::Integer: return int_ == other.int_;
    case ValueKind::Real: return real_ == other.real_;
    case ValueKind::Boolean: return bool_ == other.bool_;
    case ValueKind::String: return AsString() == other.AsString();
  }
  return false;
}

}  // namespace tessaro
