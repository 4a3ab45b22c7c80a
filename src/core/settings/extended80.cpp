#include "core/settings/extended80.h"

#include <bit>

namespace tessaro {

namespace {

constexpr int kDoubleBias = 1023;
constexpr int kExtendedBias = 16383;
constexpr std::uint64_t kFractionMask = (std::uint64_t{1} << 52) - 1;
constexpr std::uint64_t kTopBit = std::uint64_t{1} << 63;

Extended80 Pack(bool negative, int exponent, std::uint64_t significand) {
  Extended80 out{};
  for (int i = 0; i < 8; ++i) out[i] = static_cast<std::uint8_t>(significand >> (8 * i));
  unsigned high = static_cast<unsigned>(exponent) | (negative ? 0x8000u : 0u);
  out[8] = static_cast<std::uint8_t>(high);
  out[9] = static_cast<std::uint8_t>(high >> 8);
  return out;
}

double FromBits(bool negative, std::uint64_t magnitude) {
  return std::bit_cast<double>(magnitude | (negative ? kTopBit : 0));
}

// `significand` >> `shift`, rounded to nearest with ties to even (shift 1..64).
std::uint64_t ShiftRounded(std::uint64_t significand, int shift) {
  if (shift > 64) return 0;
  std::uint64_t kept = shift == 64 ? 0 : significand >> shift;
  std::uint64_t rest = shift == 64 ? significand : significand & ((std::uint64_t{1} << shift) - 1);
  std::uint64_t half = std::uint64_t{1} << (shift - 1);
  if (rest > half || (rest == half && (kept & 1))) ++kept;
  return kept;
}

}  // namespace

Extended80 DoubleToExtended(double value) {
  const std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
  const bool negative = bits >> 63;
  const int exponent = static_cast<int>((bits >> 52) & 0x7FF);
  const std::uint64_t fraction = bits & kFractionMask;

  if (exponent == 0x7FF) {  // infinity, or NaN with its payload
    return Pack(negative, 0x7FFF, kTopBit | (fraction << 11) | (fraction ? kTopBit >> 1 : 0));
  }
  if (exponent == 0) {
    if (fraction == 0) return Pack(negative, 0, 0);
    // A denormal double is a normal extended: move its top bit to bit 63.
    int top = 63 - std::countl_zero(fraction);
    return Pack(negative, top - 1074 + kExtendedBias, fraction << (63 - top));
  }
  return Pack(negative, exponent - kDoubleBias + kExtendedBias, kTopBit | (fraction << 11));
}

double ExtendedToDouble(const Extended80& bytes) {
  std::uint64_t significand = 0;
  for (int i = 7; i >= 0; --i) significand = (significand << 8) | bytes[i];
  const unsigned high = bytes[8] | (unsigned{bytes[9]} << 8);
  const bool negative = high & 0x8000;
  const int exponent = static_cast<int>(high & 0x7FFF);

  if (exponent == 0x7FFF) {
    bool nan = (significand << 1) != 0;
    return FromBits(negative, nan ? (std::uint64_t{0x7FF} << 52) | (std::uint64_t{1} << 51) |
                                        ((significand >> 11) & kFractionMask)
                                  : std::uint64_t{0x7FF} << 52);
  }
  if (significand == 0) return FromBits(negative, 0);

  // value = significand * 2^(power - 63), with bit 63 of significand set.
  int power = (exponent == 0 ? 1 : exponent) - kExtendedBias;
  int lead = std::countl_zero(significand);
  significand <<= lead;
  power -= lead;

  int biased = power + kDoubleBias;
  if (biased >= 0x7FF) return FromBits(negative, std::uint64_t{0x7FF} << 52);
  if (biased >= 1) {
    std::uint64_t kept = ShiftRounded(significand, 11);  // 53 bits, maybe 2^53 after rounding
    if (kept >> 53) {
      kept >>= 1;
      ++biased;
      if (biased >= 0x7FF) return FromBits(negative, std::uint64_t{0x7FF} << 52);
    }
    return FromBits(negative, (static_cast<std::uint64_t>(biased) << 52) | (kept & kFractionMask));
  }
  // Denormal result; rounding up into the smallest normal sets the exponent bit by itself.
  return FromBits(negative, ShiftRounded(significand, 11 + 1 - biased));
}

}  // namespace tessaro
