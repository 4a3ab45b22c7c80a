#include "core/language/value.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "core/language/variables.h"

namespace tessaro {
namespace {

TEST(Value, CellsStaySmall) {
  // An array of a million elements costs 24 bytes an element plus the growth
  // slack of its one list.
  EXPECT_EQ(sizeof(TValue), 16u);
  EXPECT_EQ(sizeof(TInstancjaZmiennej), 24u);
}

TEST(Value, CopiesShareTheirText) {
  TValue a = TValue::String("abc");
  TValue b = a;
  EXPECT_EQ(&a.AsString(), &b.AsString());
  TValue c;
  c = b;
  EXPECT_EQ(&c.AsString(), &a.AsString());
  a = TValue::Integer(1);  // the others keep the text
  EXPECT_EQ(b.AsString(), "abc");
  EXPECT_EQ(c.AsString(), "abc");
}

TEST(Value, AssignmentsBetweenKindsReleaseAndKeepCorrectly) {
  TValue v = TValue::String("x");
  v = v;  // self-assignment keeps the text
  EXPECT_EQ(v.AsString(), "x");
  TValue moved = std::move(v);
  EXPECT_EQ(moved.AsString(), "x");
  EXPECT_TRUE(v.IsEmpty());  // NOLINT(bugprone-use-after-move): a moved-from value is Empty
  moved = std::move(moved);
  EXPECT_EQ(moved.AsString(), "x");
  moved = TValue::Real(1.5);
  EXPECT_EQ(moved.Kind(), ValueKind::Real);
  EXPECT_EQ(moved.AsReal(), 1.5);
  std::vector<TValue> values(100, TValue::String("shared"));
  values.resize(1000);
  EXPECT_EQ(values[99].AsString(), "shared");
  EXPECT_TRUE(values[999].IsEmpty());
}

TEST(Value, EqualityNeedsTheSameKind) {
  const struct {
    TValue a;
    TValue b;
    bool equal;
  } cases[] = {
      {TValue(), TValue(), true},
      {TValue::Integer(0), TValue(), false},
      {TValue::Integer(3), TValue::Integer(3), true},
      {TValue::Integer(3), TValue::Real(3), false},
      {TValue::Real(0.5), TValue::Real(0.5), true},
      {TValue::Boolean(true), TValue::Boolean(true), true},
      {TValue::Boolean(true), TValue::Boolean(false), false},
      {TValue::String("a"), TValue::String("a"), true},
      {TValue::String("a"), TValue::String("A"), false},
      {TValue::String(""), TValue(), false},
  };
  for (const auto& c : cases) EXPECT_EQ(c.a == c.b, c.equal);
}

TEST(Value, NonTextKindsReadAsEmptyText) {
  EXPECT_EQ(TValue::Integer(5).AsString(), "");
  EXPECT_EQ(TValue().AsString(), "");
}

}  // namespace
}  // namespace tessaro
