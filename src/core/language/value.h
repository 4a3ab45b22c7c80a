// A value of the block language: empty, 32-bit integer, real, text or boolean.
//
// A value is 16 bytes: a kind and one 8-byte payload. Numbers and booleans
// live inline and never allocate; text lives in a reference-counted block
// shared between copies, so passing values around never copies characters.
// The count is not atomic: values belong to the user-interface thread, like
// the compiler object that holds them. Text is Windows-1250.
#pragma once

#include <cstdint>
#include <string>

namespace tessaro {

enum class ValueKind : uint8_t { Empty, Integer, Real, String, Boolean };

class TValue {
 public:
  TValue() : bits_(0) {}
  // Integers and booleans are written as the whole payload word: a narrower
  // store followed by the copy's 8-byte load of bits_ would stall the
  // processor's store forwarding on every computed value.
  static TValue Integer(int32_t v) {
    TValue x;
    x.kind_ = ValueKind::Integer;
    x.bits_ = static_cast<uint32_t>(v);  // int_ is the low half (little-endian targets)
    return x;
  }
  static TValue Real(double v) { TValue x; x.kind_ = ValueKind::Real; x.real_ = v; return x; }
  static TValue Boolean(bool v) {
    TValue x;
    x.kind_ = ValueKind::Boolean;
    x.bits_ = v ? 1 : 0;  // bool_ is the low byte
    return x;
  }
  static TValue String(std::string v);

  TValue(const TValue& other) : kind_(other.kind_), bits_(other.bits_) {
    if (kind_ == ValueKind::String) ++text_->references;
  }
  TValue(TValue&& other) noexcept : kind_(other.kind_), bits_(other.bits_) {
    other.kind_ = ValueKind::Empty;
  }
  TValue& operator=(const TValue& other) {
    if (other.kind_ == ValueKind::String) ++other.text_->references;
    Release();
    kind_ = other.kind_;
    bits_ = other.bits_;
    return *this;
  }
  TValue& operator=(TValue&& other) noexcept {
    if (this != &other) {
      Release();
      kind_ = other.kind_;
      bits_ = other.bits_;
      other.kind_ = ValueKind::Empty;
    }
    return *this;
  }
  ~TValue() { Release(); }

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
  struct SharedText {
    uint32_t references;
    std::string text;
  };

  void Release() {
    if (kind_ == ValueKind::String && --text_->references == 0) FreeText(text_);
  }
  static void FreeText(SharedText* text);
  static int64_t TextBytes(const SharedText& text);

  ValueKind kind_ = ValueKind::Empty;
  // Copies go through bits_, which spans whichever member is live.
  union {
    uint64_t bits_;
    int32_t int_;
    double real_;
    bool bool_;
    SharedText* text_;
  };
};

static_assert(sizeof(TValue) == 16, "a value is a kind and one 8-byte payload");
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "Integer and Boolean write the payload's low end");

}  // namespace tessaro
