// Programs for the differential tests of the run time: a plain description
// with its input and options, and a maker of random ones.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace tessaro::test {

struct Program {
  Program(std::string n, std::string s, std::vector<std::string> in = {}, bool dynamic = true)
      : name(std::move(n)), spec(std::move(s)), input(std::move(in)), dynamic_arrays(dynamic) {}
  std::string name;
  std::string spec;
  std::vector<std::string> input;
  bool dynamic_arrays = true;
  bool case_sensitive = true;
  int64_t limit = 5000;  // instructions, as --max-steps counts them
};

// Random programs: straight blocks and conditions linked forwards and
// backwards, over integers, reals, texts, booleans and arrays of one and two
// dimensions, with the errors such programs run into (division by zero,
// indexes below 1 or beyond a fixed array, kinds that do not mix, overflow).
//
// With `extended` set, the programs also read (whole variables and
// elements), call Random and write beyond the ends of arrays that grow; with
// `products` set, they multiply and divide in place («a *= x», «t[i] /= x»).
// Programs without either draw exactly the numbers they drew before these
// were added, and so do the extended ones without products.
class RandomProgram {
 public:
  explicit RandomProgram(uint32_t seed, bool extended = false, bool products = false)
      : random_(seed), extended_(extended), products_(products) {}

  Program Make(const std::string& name) {
    const int blocks = Pick(3, 8);
    const int end = blocks + 2;
    std::string spec = "start 1 -1\n";
    spec += "proc 2 -1 " + Prelude() + "\n";
    for (int k = 2; k < end; ++k) {
      const int next = k + 1;
      const int jump = Pick(1, end);
      if (extended_ && Chance(6)) {
        spec += "io " + std::to_string(next) + " -1 " + ReadList() + "\n";
        continue;
      }
      switch (Pick(0, 5)) {
        case 0:
        case 1: spec += "cond " + std::to_string(next) + " " + std::to_string(jump) + " " + Condition() + "\n"; break;
        case 2: spec += "io " + std::to_string(next) + " -1 write " + OutputList() + "\n"; break;
        default: {
          std::string text = Statement();
          for (int s = Pick(0, 2); s > 0; --s) text += "\\n" + Statement();
          spec += "proc " + std::to_string(Chance(5) ? jump : next) + " -1 " + text + "\n";
        }
      }
    }
    spec += "end -1 -1\n";
    Program p{name, spec};
    p.dynamic_arrays = !Chance(4);
    p.limit = 400;
    if (extended_) {
      static const char* const kAnswers[] = {"5", "-2", "1,2", "'w'", "2.5", "7", "(3,(4,5))", "0"};
      for (int k = 0; k < 200; ++k) p.input.push_back(kAnswers[Pick(0, 7)]);
    }
    return p;
  }

 private:
  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  bool Chance(int one_in) { return Pick(1, one_in) == 1; }

  std::string Prelude() {
    std::string text = "dim t[" + std::to_string(Pick(3, 6)) + "]\\ndim m[3,3]";
    for (const char* v : {"a", "b", "i", "j"}) text += std::string("\\n") + v + " := " + std::to_string(Pick(-2, 9));
    if (Chance(2)) text += "\\ns := 'ab'";
    if (Chance(2)) text += "\\nr := 2.5";
    if (Chance(2)) text += "\\nt[1] := 'q'";
    return text;
  }

  // Mostly whole numbers; now and then a real, a text or an empty variable.
  std::string Variable() {
    static const char* const kNames[] = {"a", "b", "i", "j", "a", "b", "i", "j", "a", "i", "r", "s"};
    return kNames[Pick(0, Chance(3) ? 11 : 9)];
  }

  // Mostly inside the arrays; sometimes 0 or beyond a fixed array.
  std::string Index() {
    switch (Pick(0, 11)) {
      case 0: return "0";
      case 1: return "7";
      case 2: return "i";
      case 3: return "(j mod 3 + 1)";
      case 4: return "(i - 1)";
      default: return std::to_string(Pick(1, 3));
    }
  }

  std::string Atom() {
    if (extended_ && Chance(12)) {
      return Chance(2) ? "Random(" + std::to_string(Pick(1, 9)) + ")" : "Random(2, " + std::to_string(Pick(3, 12)) + ")";
    }
    switch (Pick(0, 19)) {
      case 0: return "'x'";
      case 1: return "1.5";
      case 2: return "2147483647";
      case 3:
      case 4: return "t[" + Index() + "]";
      case 5: return "m[" + Index() + ", " + Index() + "]";
      case 6: return "Abs(" + Variable() + ")";
      case 7:
      case 8:
      case 9: return std::to_string(Pick(-3, 20));
      default: return Variable();
    }
  }

  std::string Expression(int depth) {
    if (depth == 0 || Chance(3)) return Atom();
    static const char* const kOps[] = {"+", "-", "*", "div", "mod", "/", "+", "-", "<", "==", "and", "or",
                                       "+", "-", "+", "*", "mod", "-"};
    switch (Pick(0, 11)) {
      case 0: return "not (" + Expression(depth - 1) + ")";
      case 1: return "-" + Variable();
      default:
        return "(" + Expression(depth - 1) + " " + kOps[Pick(0, 17)] + " " + Expression(depth - 1) + ")";
    }
  }

  std::string Condition() {
    static const char* const kCompare[] = {"<", "<=", ">", ">=", "==", "<>"};
    if (Chance(8)) return Expression(2);
    return Expression(1) + " " + kCompare[Pick(0, 5)] + " " + Expression(1);
  }

  std::string Statement() {
    if (products_ && Chance(6)) {
      const std::string target = Chance(3) ? "t[" + Index() + "]" : Variable();
      return target + (Chance(2) ? " *= " : " /= ") + Expression(1);
    }
    if (extended_ && Chance(6)) {
      // Beyond the end: the array grows, by more than one cell now and then.
      return "g[" + std::to_string(Pick(1, 4)) + " + Random(" + std::to_string(Pick(1, 12)) + ")] := " + Expression(1);
    }
    switch (Pick(0, 14)) {
      case 0:
      case 1: return "t[" + Index() + "] := " + Expression(2);
      case 2: return "m[" + Index() + ", " + Index() + "] := " + Expression(2);
      case 3: return Variable() + " += " + Expression(1);
      case 4: return "i++";
      case 5: return "t[" + Index() + "] -= " + Expression(1);
      case 6: return "j := j + 1";
      // Declarations and new elements move cells between flat steps.
      case 7: return Chance(2) ? "dim t[" + std::to_string(Pick(2, 8)) + "]" : "b[" + Index() + "] := 1";
      default: return Variable() + " := " + Expression(3);
    }
  }

  // Blanks go before the items of a list are parsed, so word operators
  // would run into their operands there.
  std::string OutputList() {
    std::string list = Variable() + ", t[" + Index() + "]";
    if (Chance(2)) list += ", " + Variable() + " + " + Atom();
    return list;
  }

  // One to three items: whole variables (which take tuples) and elements
  // (which take the text).
  std::string ReadList() {
    static const char* const kItems[] = {"a", "b", "t[2]", "g[3]", "m[2, 1]", "i"};
    std::string list = std::string("read ") + kItems[Pick(0, 5)];
    for (int k = Pick(0, 2); k > 0; --k) list += std::string("\\nread ") + kItems[Pick(0, 5)];
    return list;
  }

  std::mt19937 random_;
  bool extended_ = false;
  bool products_ = false;
};

}  // namespace tessaro::test
