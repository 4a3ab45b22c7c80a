#include "core/language/value.h"

#include "core/language/value_memory.h"

namespace tessaro {

// What a text holds of the budget: its shared block and its characters.
int64_t TValue::TextBytes(const SharedText& text) {
  return static_cast<int64_t>(sizeof(SharedText) + text.text.capacity());
}

TValue TValue::String(std::string v) {
  TValue x;
  x.text_ = new SharedText{1, std::move(v)};
  x.kind_ = ValueKind::String;
  CountValueBytes(TextBytes(*x.text_));
  return x;
}

void TValue::FreeText(SharedText* text) {
  CountValueBytes(-TextBytes(*text));
  delete text;
}

const std::string& TValue::AsString() const {
  static const std::string kEmpty;
  return kind_ == ValueKind::String ? text_->text : kEmpty;
}

bool TValue::operator==(const TValue& other) const {
  if (kind_ != other.kind_) return false;
  switch (kind_) {
    case ValueKind::Empty: return true;
    case ValueKind::Integer: return int_ == other.int_;
    case ValueKind::Real: return real_ == other.real_;
    case ValueKind::Boolean: return bool_ == other.bool_;
    case ValueKind::String: return text_ == other.text_ || text_->text == other.text_->text;
  }
  return false;
}

}  // namespace tessaro
