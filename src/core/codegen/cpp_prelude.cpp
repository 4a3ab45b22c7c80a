#include "core/codegen/cpp_prelude.h"

#include <algorithm>

namespace tessaro::codegen {

// Named per language: the other languages' preludes use the same names.
namespace cpp_prelude {
namespace {

struct Section {
  std::string_view name;
  std::string_view needs;
  std::string_view text;
};

constexpr std::string_view kCore = R"CPP(#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <new>
#include <string>
#include <utility>
#include <vector>

// A run-time error: the program stops as the interpreter does.
struct Fault {
    const char* what;
};

// The input has no answer left: the program stops as the console does.
struct NoAnswer {};

// Text is kept as the interpreter keeps it, one Windows-1250 byte a letter;
// the program's literals, its input and its output are UTF-8.
constexpr char32_t cp1250_high[128] = {
    0x20AC, 0xFFFD, 0x201A, 0xFFFD, 0x201E, 0x2026, 0x2020, 0x2021,
    0xFFFD, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0xFFFD, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

inline std::string from_utf8(const std::string& u) {
    std::string out;
    for (size_t i = 0; i < u.size();) {
        const unsigned char lead = static_cast<unsigned char>(u[i++]);
        if (lead < 0x80) {
            out += static_cast<char>(lead);
            continue;
        }
        const int extra = (lead & 0xE0) == 0xC0 ? 1 : (lead & 0xF0) == 0xE0 ? 2 : (lead & 0xF8) == 0xF0 ? 3 : 0;
        char32_t cp = lead & (extra == 1 ? 0x1F : extra == 2 ? 0x0F : 0x07);
        bool ok = extra > 0;
        for (int k = 0; ok && k < extra; ++k) {
            if (i >= u.size() || (static_cast<unsigned char>(u[i]) & 0xC0) != 0x80) {
                ok = false;
            } else {
                cp = (cp << 6) | (static_cast<unsigned char>(u[i++]) & 0x3F);
            }
        }
        int byte = ok && cp < 0x80 ? static_cast<int>(cp) : -1;
        for (int k = 0; ok && byte < 0 && cp != 0xFFFD && k < 128; ++k) {
            if (cp1250_high[k] == cp) byte = 0x80 + k;
        }
        out += byte < 0 ? '?' : static_cast<char>(byte);
    }
    return out;
}

inline std::string to_utf8(const std::string& s) {
    std::string out;
    for (char c : s) {
        const unsigned char b = static_cast<unsigned char>(c);
        const char32_t cp = b < 0x80 ? b : cp1250_high[b - 0x80];
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

enum Kind { EMPTY, INTEGER, REAL, TEXT, BOOLEAN };

// A value of the flowchart language: empty, integer, real, text or boolean.
struct Value {
    Kind kind = EMPTY;
    int32_t i = 0;
    double r = 0;
    std::string s;
    bool b = false;

    Value() = default;
    Value(int v) : kind(INTEGER), i(v) {}
    Value(double v) : kind(REAL), r(v) {}
    Value(bool v) : kind(BOOLEAN), b(v) {}
    Value(const char* v) : kind(TEXT), s(from_utf8(v)) {}  // a literal of the program
    Value(std::string v) : kind(TEXT), s(std::move(v)) {}
    explicit operator bool() const;
    Value& operator+=(const Value& o);
    Value& operator-=(const Value& o);
    Value& operator*=(const Value& o);
    Value& operator/=(const Value& o);
};

inline double check_real(double r) {
    if (std::isnan(r)) throw Fault{"Invalid floating point operation"};
    if (std::isinf(r)) throw Fault{"Floating point overflow"};
    return r;
}

inline std::string trimmed(const std::string& s) {
    size_t a = 0, b = s.size();
    while (a < b && (s[a] == ' ' || s[a] == '\t' || s[a] == '\r' || s[a] == '\n')) ++a;
    while (b > a && (s[b - 1] == ' ' || s[b - 1] == '\t' || s[b - 1] == '\r' || s[b - 1] == '\n')) --b;
    return s.substr(a, b - a);
}

inline bool same_text(std::string a, const char* b) {
    for (char& c : a) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
    return a == b;
}

inline bool parse_int(std::string t, int32_t& out) {
    t = trimmed(t);
    bool negative = false;
    if (!t.empty() && (t[0] == '+' || t[0] == '-')) {
        negative = t[0] == '-';
        t.erase(0, 1);
    }
    int base = 10;
    if (!t.empty() && t[0] == '$') {
        base = 16;
        t.erase(0, 1);
    } else if (t.size() > 1 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
        base = 16;
        t.erase(0, 2);
    }
    if (t.empty()) return false;
    int64_t value = 0;
    for (char c : t) {
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else return false;
        value = value * base + d;
        if (value > (int64_t{1} << 32)) return false;
    }
    if (negative) value = -value;
    if (base == 16 && !negative && value <= 0xFFFFFFFF) value = static_cast<int32_t>(static_cast<uint32_t>(value));
    if (value < INT32_MIN || value > INT32_MAX) return false;
    out = static_cast<int32_t>(value);
    return true;
}

inline bool parse_real(std::string s, double& out) {
    s = trimmed(s);
    size_t i = 0, digits = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
    if (i < s.size() && (s[i] == '.' || s[i] == ',')) {
        s[i] = '.';
        ++i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        size_t e = 0;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++e;
        if (e == 0) return false;
    }
    if (i != s.size()) return false;
    const char* begin = s.data() + (s[0] == '+' ? 1 : 0);
    double v = 0;
    auto res = std::from_chars(begin, s.data() + s.size(), v);
    if (res.ec != std::errc() || res.ptr != s.data() + s.size() || std::isinf(v)) return false;
    out = v;
    return true;
}

inline Value parse_number(const std::string& s) {
    int32_t i = 0;
    if (parse_int(s, i)) return Value(i);
    double r = 0;
    if (parse_real(s, r)) return Value(r);
    throw Fault{"Type mismatch"};
}

inline int32_t round_int(double v) {
    if (std::isnan(v)) throw Fault{"Invalid floating point operation"};
    const double r = std::nearbyint(v);
    if (r < -2147483648.0 || r > 2147483647.0) throw Fault{"Range check error"};
    return static_cast<int32_t>(r);
}

inline int32_t to_int(const Value& v) {
    switch (v.kind) {
        case INTEGER: return v.i;
        case REAL: return round_int(v.r);
        case BOOLEAN: return v.b ? -1 : 0;
        case TEXT: return to_int(parse_number(v.s));
        default: return 0;
    }
}

inline double to_real(const Value& v) {
    switch (v.kind) {
        case INTEGER: return v.i;
        case REAL: return v.r;
        case BOOLEAN: return v.b ? -1 : 0;
        case TEXT: return to_real(parse_number(v.s));
        default: return 0;
    }
}

inline bool to_bool(const Value& v) {
    switch (v.kind) {
        case INTEGER: return v.i != 0;
        case REAL: return v.r != 0;
        case BOOLEAN: return v.b;
        case TEXT: {
            const std::string t = trimmed(v.s);
            if (same_text(t, "TRUE")) return true;
            if (same_text(t, "FALSE")) return false;
            return to_bool(parse_number(t));
        }
        default: return false;
    }
}

inline Value::operator bool() const { return to_bool(*this); }

inline std::string format_real(double v) {
    if (std::isnan(v)) return "NAN";
    if (std::isinf(v)) return v > 0 ? "INF" : "-INF";
    if (v == 0) return "0";
    char buf[40];
    auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 14);
    std::string sci(buf, res.ptr);
    const size_t e = sci.find('e');
    const int exponent = std::stoi(sci.substr(e + 1));
    std::string mantissa = sci.substr(0, e);
    const bool negative = mantissa[0] == '-';
    if (negative) mantissa.erase(0, 1);
    std::string digits = mantissa.substr(0, 1) + mantissa.substr(2);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    std::string out = negative ? "-" : "";
    if (exponent >= -5 && exponent < 15) {
        if (exponent < 0) {
            out += "0." + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
        } else if (digits.size() <= static_cast<size_t>(exponent) + 1) {
            out += digits + std::string(static_cast<size_t>(exponent) + 1 - digits.size(), '0');
        } else {
            out += digits.substr(0, static_cast<size_t>(exponent) + 1) + "." + digits.substr(static_cast<size_t>(exponent) + 1);
        }
        return out;
    }
    out += digits.substr(0, 1);
    if (digits.size() > 1) out += "." + digits.substr(1);
    return out + "E" + std::to_string(exponent);
}

inline std::string text(const Value& v) {
    switch (v.kind) {
        case INTEGER: return std::to_string(v.i);
        case REAL: return format_real(v.r);
        case BOOLEAN: return v.b ? "True" : "False";
        case TEXT: return v.s;
        default: return "";
    }
}

// The kind both operands are computed in.
inline Kind family(const Value& a, const Value& b) {
    if (a.kind == REAL || b.kind == REAL) return REAL;
    if (a.kind == INTEGER || b.kind == INTEGER) return a.kind == TEXT || b.kind == TEXT ? REAL : INTEGER;
    if (a.kind == BOOLEAN || b.kind == BOOLEAN) return BOOLEAN;
    if (a.kind == TEXT || b.kind == TEXT) return TEXT;
    return EMPTY;
}

enum Op { ADD, SUB, MUL, DIVIDE, DIV, MOD, SHL, SHR, AND, OR };

inline Value integer_op(Op op, int32_t a, int32_t b) {
    int64_t r = 0;
    switch (op) {
        case ADD: r = int64_t{a} + b; break;
        case SUB: r = int64_t{a} - b; break;
        case MUL: r = int64_t{a} * b; break;
        case DIV:
            if (b == 0) throw Fault{"Division by zero"};
            if (a == INT32_MIN && b == -1) throw Fault{"Integer overflow"};
            return Value(a / b);
        case MOD:
            if (b == 0) throw Fault{"Division by zero"};
            return Value(b == -1 ? 0 : a % b);
        case SHL: return Value(static_cast<int32_t>(static_cast<uint32_t>(a) << (b & 31)));
        case SHR: return Value(static_cast<int32_t>(static_cast<uint32_t>(a) >> (b & 31)));
        case AND: return Value(a & b);
        case OR: return Value(a | b);
        default: return Value();
    }
    // Beyond 32 bits the result is a real.
    if (r < INT32_MIN || r > INT32_MAX) return Value(static_cast<double>(r));
    return Value(static_cast<int32_t>(r));
}

inline Value real_op(Op op, double a, double b) {
    switch (op) {
        case ADD: return Value(check_real(a + b));
        case SUB: return Value(check_real(a - b));
        case MUL: return Value(check_real(a * b));
        default:
            if (b == 0) throw Fault{a == 0 || std::isnan(a) ? "Invalid floating point operation" : "Division by zero"};
            return Value(check_real(a / b));
    }
}

inline Value binary(Op op, const Value& a, const Value& b) {
    const Kind f = family(a, b);
    const bool logic = op == AND || op == OR;
    const bool integer = op == DIV || op == MOD || op == SHL || op == SHR;
    switch (f) {
        case INTEGER:
            if (op == DIVIDE) return real_op(op, to_real(a), to_real(b));
            return integer_op(op, to_int(a), to_int(b));
        case TEXT:
            if (op == ADD) return Value(text(a) + text(b));
            [[fallthrough]];
        case REAL:
            if (integer || logic) return integer_op(op, to_int(a), to_int(b));
            return real_op(op, to_real(a), to_real(b));
        case BOOLEAN:
            if (logic) return Value(op == AND ? (to_bool(a) && to_bool(b)) : (to_bool(a) || to_bool(b)));
            if (integer) return integer_op(op, to_int(a), to_int(b));
            return real_op(op, to_real(a), to_real(b));
        default:
            if (op == DIVIDE || op == DIV || op == MOD) throw Fault{"Division by zero"};
            return Value();
    }
}

inline int compare(const Value& a, const Value& b) {
    auto order = [](auto x, auto y) { return x < y ? -1 : (y < x ? 1 : 0); };
    switch (family(a, b)) {
        case INTEGER: return order(to_int(a), to_int(b));
        case REAL: return order(to_real(a), to_real(b));
        case TEXT: {
            const int c = text(a).compare(text(b));
            return c < 0 ? -1 : (c > 0 ? 1 : 0);
        }
        case BOOLEAN: return order(to_bool(a), to_bool(b));
        default: return 0;
    }
}

inline Value operator+(const Value& a, const Value& b) { return binary(ADD, a, b); }
inline Value operator-(const Value& a, const Value& b) { return binary(SUB, a, b); }
inline Value operator*(const Value& a, const Value& b) { return binary(MUL, a, b); }
inline Value operator/(const Value& a, const Value& b) { return binary(DIVIDE, a, b); }
inline Value operator<<(const Value& a, const Value& b) { return binary(SHL, a, b); }
inline Value operator>>(const Value& a, const Value& b) { return binary(SHR, a, b); }
inline Value operator&(const Value& a, const Value& b) { return binary(AND, a, b); }
inline Value operator|(const Value& a, const Value& b) { return binary(OR, a, b); }
inline Value operator-(const Value& a) { return binary(SUB, Value(0), a); }
// A comparison's result is always a boolean.
inline bool operator==(const Value& a, const Value& b) { return compare(a, b) == 0; }
inline bool operator!=(const Value& a, const Value& b) { return compare(a, b) != 0; }
inline bool operator<(const Value& a, const Value& b) { return compare(a, b) < 0; }
inline bool operator<=(const Value& a, const Value& b) { return compare(a, b) <= 0; }
inline bool operator>(const Value& a, const Value& b) { return compare(a, b) > 0; }
inline bool operator>=(const Value& a, const Value& b) { return compare(a, b) >= 0; }
inline Value& Value::operator+=(const Value& o) { return *this = *this + o; }
inline Value& Value::operator-=(const Value& o) { return *this = *this - o; }
inline Value& Value::operator*=(const Value& o) { return *this = *this * o; }
inline Value& Value::operator/=(const Value& o) { return *this = *this / o; }

// not: logical on booleans, bitwise on everything else.
inline Value operator~(const Value& v) {
    if (v.kind == BOOLEAN) return Value(!v.b);
    if (v.kind == TEXT) {
        const std::string t = trimmed(v.s);
        if (same_text(t, "TRUE") || same_text(t, "FALSE")) return Value(!to_bool(v));
    }
    return Value(~to_int(v));
}

// Runs the program; exit status 2 after a run-time error, 3 when an answer is missing.
inline int run(void (*program)()) {
    try {
        program();
    } catch (const Fault& fault) {
        std::fflush(stdout);
        std::fprintf(stderr, "%s\n", fault.what);
        return 2;
    } catch (const NoAnswer&) {
        return 3;
    } catch (const std::bad_alloc&) {
        std::fflush(stdout);
        std::fprintf(stderr, "Out of memory\n");
        return 2;
    }
    return 0;
}
)CPP";

constexpr std::string_view kDiv = R"CPP(
// Integer division that truncates towards zero.
inline Value Div(const Value& a, const Value& b) { return binary(DIV, a, b); }
// The remainder of Div: it has the sign of a.
inline Value Mod(const Value& a, const Value& b) { return binary(MOD, a, b); }
)CPP";

constexpr std::string_view kArrays = R"CPP(
struct Cell {
    Value value;
    std::vector<Cell> kids;
};

// A variable with elements: 1-based indexes, any number of them, growing on use.
struct Arr {
    Cell root;
    Arr() { root.kids.resize(1); }

    Cell& cell(const std::vector<int32_t>& path) {
        if (path.empty()) throw Fault{"Index out of range"};
        for (int32_t k : path) {
            if (k < 1) throw Fault{"Index out of range"};
        }
        Cell* c = &root;
        for (int32_t k : path) {
            if (static_cast<int32_t>(c->kids.size()) < k) c->kids.resize(static_cast<size_t>(k));
            c = &c->kids[static_cast<size_t>(k - 1)];
        }
        return *c;
    }

    // An element, read or assigned through its path.
    struct Element {
        Arr* arr;
        std::vector<int32_t> path;
        operator Value() const { return arr->cell(path).value; }
        Element& operator=(const Value& v) {
            arr->cell(path).value = v;
            return *this;
        }
        Element& operator=(const Element& other) { return *this = static_cast<Value>(other); }
    };

    Element operator[](const Value& index) { return Element{this, {to_int(index)}}; }
    template <typename... Indexes>
    Element operator()(const Indexes&... indexes) {
        return Element{this, {to_int(Value(indexes))...}};
    }

    void dim(std::vector<int32_t> sizes) {
        for (int32_t s : sizes) {
            if (s < 1) throw Fault{"Index out of range"};
        }
        reset(root, sizes, 0);
    }
    static void reset(Cell& c, const std::vector<int32_t>& sizes, size_t level) {
        if (level == sizes.size()) {
            c.value = Value();
            return;
        }
        if (static_cast<int32_t>(c.kids.size()) < sizes[level]) c.kids.resize(static_cast<size_t>(sizes[level]));
        for (int32_t k = 0; k < sizes[level]; ++k) reset(c.kids[static_cast<size_t>(k)], sizes, level + 1);
    }
    void set(const std::string& tuple_text);
};

// The literal a token of a tuple denotes; EMPTY when it is none.
inline Value classify(const std::string& token) {
    if (!token.empty() && (token[0] == '"' || token[0] == '\'')) {
        return Value(token.size() >= 2 ? token.substr(1, token.size() - 2) : std::string());
    }
    if (!token.empty() && token[0] != 'x' && token[0] != 'X') {
        const bool hex = token[0] == '$' || (token.size() >= 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X'));
        if (hex) {
            const std::string digits = token.substr(token[0] == '$' ? 1 : 2);
            uint64_t v = 0;
            bool ok = !digits.empty();
            for (char c : digits) {
                const int d = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
                if (d < 0 || (v = v * 16 + static_cast<uint64_t>(d)) > 0xFFFFFFFFull) ok = false;
                if (!ok) break;
            }
            if (ok) return Value(static_cast<int32_t>(static_cast<uint32_t>(v)));
        } else {
            size_t i = token[0] == '+' || token[0] == '-' ? 1 : 0;
            int64_t v = 0;
            bool ok = i < token.size();
            for (; ok && i < token.size(); ++i) {
                if (token[i] < '0' || token[i] > '9') ok = false;
                else if ((v = v * 10 + (token[i] - '0')) > int64_t{INT32_MAX} + 1) ok = false;
            }
            if (token[0] == '-') v = -v;
            if (ok && v <= INT32_MAX) return Value(static_cast<int32_t>(v));
        }
    }
    std::string t = !token.empty() && token[0] == '.' ? "0" + token : token;
    size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    const size_t start = i;
    while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
    bool shape = i > start;
    if (shape && i < t.size() && t[i] == '.') {
        ++i;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
    }
    if (shape && i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
        const size_t e = i;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9') ++i;
        shape = i > e;
    }
    if (shape && i == t.size()) {
        double v = 0;
        const char* first = t.data() + (t[0] == '+' ? 1 : 0);
        auto res = std::from_chars(first, t.data() + t.size(), v);
        if (res.ec == std::errc() && res.ptr == t.data() + t.size()) return Value(v);
    }
    if (same_text(token, "TRUE")) return Value(true);
    if (same_text(token, "FALSE")) return Value(false);
    return Value();
}

// Assigns the literals of a tuple such as ((1,2),(3,'a')) to the elements of arr.
inline void assign_tuple(Arr& arr, const std::string& tuple_text) {
    int open = 0, close = 0, depth = 0;
    bool quoted = false, nested = true;
    for (char c : tuple_text) {
        if (c == '(') ++open;
        if (c == ')' && ++close > open) nested = false;
        if (c == '\'') quoted = !quoted;
        else if (!quoted && c == '(') ++depth;
        else if (!quoted && c == ')' && --depth < 0) nested = false;
    }
    if (!nested || open != close) throw Fault{"Unbalanced parentheses"};
    std::string prepared;
    quoted = false;
    for (size_t k = 0; k < tuple_text.size(); ++k) {
        const char c = tuple_text[k];
        if (c == '\'') quoted = !quoted;
        if (c == ' ' && !quoted) continue;
        if (c == '\r' && k + 1 < tuple_text.size() && tuple_text[k + 1] == '\n') {
            ++k;
            continue;
        }
        prepared += c;
    }
    int quotes = 0;
    depth = 0;
    std::vector<int32_t> path;
    std::string token;
    auto separator = [&](bool comma) {
        if (comma && depth < 1) throw Fault{"Wrong tuple"};
        if (!token.empty()) {
            const Value v = classify(token);
            if (v.kind == EMPTY) throw Fault{"Not a value"};
            arr.cell(path).value = v;
        }
        if (comma) ++path[static_cast<size_t>(depth - 1)];
        else path[static_cast<size_t>(depth)] = 1;
        token.clear();
    };
    for (char c : prepared) {
        if (c == '\'') {
            ++quotes;
            token += c;
        } else if (quotes % 2 == 1) {
            token += c;
        } else if (c == '(') {
            ++depth;
            if (static_cast<int>(path.size()) < depth) path.resize(static_cast<size_t>(depth), 1);
        } else if (c == ')') {
            --depth;
            separator(false);
        } else if (c == ',') {
            separator(true);
        } else {
            token += c;
        }
    }
}

inline void Arr::set(const std::string& tuple_text) { assign_tuple(*this, from_utf8(tuple_text)); }
)CPP";

constexpr std::string_view kRead = R"CPP(
// One answer, a line of the input; none ends the program.
inline Value read_text() {
    std::string line;
    int c;
    while ((c = std::getchar()) != EOF && c != '\n') line += static_cast<char>(c);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) throw NoAnswer{};
    return Value(from_utf8(line));
}

// read of a whole variable: the answer is a tuple, its parentheses optional.
inline void read_into(Arr& arr) {
    std::string answer = read_text().s;
    if (answer.front() != '(') answer.insert(0, 1, '(');
    if (answer.back() != ')') answer += ')';
    assign_tuple(arr, answer);
}

// read of a plain variable: its value after the answer is assigned to it.
inline Value read_value(const Value& old) {
    Arr arr;
    arr.root.kids[0].value = old;
    read_into(arr);
    return arr.root.kids[0].value;
}
)CPP";

constexpr std::string_view kWrite = R"CPP(
// write of an expression.
inline void write(const Value& v) {
    const std::string t = to_utf8(text(v)) + "\n";
    std::fwrite(t.data(), 1, t.size(), stdout);
}

inline std::string fixed_digits(double v, int precision) {
    char buffer[400];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, precision);
    return std::string(buffer, result.ptr);
}

// Four decimals, halves away from zero, no minus sign on zero.
inline std::string four_decimals(double v) {
    std::string t = fixed_digits(v, 4);
    const std::string exact = fixed_digits(v, 60);
    const size_t point = exact.find('.');
    const bool half = exact.compare(point + 5, std::string::npos, "5" + std::string(55, '0')) == 0;
    if (half && t.compare(t.size() - 4, 4, exact, point + 1, 4) == 0) {
        for (size_t i = t.size();; ) {
            if (i-- == 0) {
                t.insert(0, 1, '1');
                break;
            }
            if (t[i] == '.') continue;
            if (t[i] == '-') {
                t.insert(i + 1, 1, '1');
                break;
            }
            if (t[i] != '9') {
                ++t[i];
                break;
            }
            t[i] = '0';
        }
    }
    if (t[0] == '-' && t.find_first_not_of("-0.") == std::string::npos) t.erase(0, 1);
    return t;
}

// A value as a variable shows it.
inline std::string shown(const Value& v) {
    switch (v.kind) {
        case EMPTY: return "?";
        case INTEGER: return std::to_string(v.i);
        case BOOLEAN: return v.b ? "True" : "0";
        case TEXT: return v.s.empty() ? "0" : v.s;
        default:
            if (v.r == 0) return "0";
            if (std::isnan(v.r)) return "NAN";
            if (std::isinf(v.r)) return v.r > 0 ? "INF" : "-INF";
            return four_decimals(v.r);
    }
}

inline void write_shown(std::string s) {
    // Without any comma the outer parentheses go.
    if (s.find(',') == std::string::npos) s = s.size() >= 2 ? s.substr(1, s.size() - 2) : std::string();
    s = to_utf8(s) + "\n";
    std::fwrite(s.data(), 1, s.size(), stdout);
}

// write of a whole plain variable.
inline void write_var(const Value& v) { write_shown("(" + shown(v) + ")"); }
)CPP";

constexpr std::string_view kWriteArray = R"CPP(
inline void append_cell(const Cell& c, std::string& out) {
    if (c.kids.empty()) {
        out += shown(c.value);
        return;
    }
    out += '(';
    for (size_t k = 0; k < c.kids.size(); ++k) {
        if (k) out += ',';
        append_cell(c.kids[k], out);
    }
    out += ')';
}

// write of a whole variable with elements: a tuple.
inline void write_var(const Arr& arr) {
    std::string s;
    append_cell(arr.root, s);
    write_shown(s);
}
)CPP";

constexpr std::string_view kReal = R"CPP(
inline Value real_result(double r) { return Value(check_real(r)); }

inline double reciprocal(double x) {
    if (x == 0) throw Fault{"Division by zero"};
    return 1 / x;
}

inline double logarithm(double x, double base_log) {
    if (!(x > 0)) throw Fault{"Invalid floating point operation"};
    return std::log(x) / base_log;
}
)CPP";

#define TS_REAL1(NAME, EXPR) \
  {#NAME, "real", "\ninline Value " #NAME "(const Value& a) {\n    const double x = to_real(a);\n    return real_result(" EXPR ");\n}\n"}

constexpr Section kSections[] = {
    {"div", "", kDiv},
    {"arrays", "", kArrays},
    {"read", "arrays", kRead},
    {"write", "", kWrite},
    {"writearrays", "arrays", kWriteArray},
    {"real", "", kReal},
    {"Random", "", R"CPP(
#include <cstdlib>
#include <random>
// Random draws what the interpreter draws: with TESSARO_SEED=N in the
// environment the numbers of «tessaro-cli run --seed N».
inline std::mt19937& generator() {
    static std::mt19937 g = [] {
        const char* seed = std::getenv("TESSARO_SEED");
        return std::mt19937(seed ? static_cast<uint32_t>(std::strtoul(seed, nullptr, 10)) : std::random_device{}());
    }();
    return g;
}
// In [0, range) for a positive range, (range, 0] for a negative one.
inline int32_t random_below(int32_t range) {
    return static_cast<int32_t>((static_cast<int64_t>(generator()()) * range) >> 32);
}
inline Value Random(const Value& a) { return Value(random_below(to_int(a))); }
inline Value Random(const Value& a, const Value& b) {
    return a + Value(random_below(round_int(to_real(b) - to_real(a))));
}
)CPP"},
    TS_REAL1(ArcCos, "std::acos(x)"),
    TS_REAL1(ArcCosh, "std::acosh(x)"),
    TS_REAL1(ArcCtg, "std::atan(reciprocal(x))"),
    TS_REAL1(ArcCtgH, "std::atanh(reciprocal(x))"),
    TS_REAL1(ArcCsc, "std::asin(reciprocal(x))"),
    TS_REAL1(ArcCscH, "std::asinh(reciprocal(x))"),
    TS_REAL1(ArcSec, "std::acos(reciprocal(x))"),
    TS_REAL1(ArcSecH, "std::acosh(reciprocal(x))"),
    TS_REAL1(ArcSin, "std::asin(x)"),
    TS_REAL1(ArcSinh, "std::asinh(x)"),
    TS_REAL1(ArcTan, "std::atan2(x, 1.0)"),
    {"ArcTan2", "real", "\ninline Value ArcTan2(const Value& y, const Value& x) { return real_result(std::atan2(to_real(y), to_real(x))); }\n"},
    TS_REAL1(ArcTanh, "std::atanh(x)"),
    TS_REAL1(Cos, "std::cos(x)"),
    TS_REAL1(Cosecant, "reciprocal(std::sin(x))"),
    TS_REAL1(Cosh, "std::cosh(x)"),
    TS_REAL1(Cot, "reciprocal(std::tan(x))"),
    TS_REAL1(Cotan, "reciprocal(std::tan(x))"),
    TS_REAL1(CotH, "reciprocal(std::tanh(x))"),
    TS_REAL1(Csc, "reciprocal(std::sin(x))"),
    TS_REAL1(CscH, "reciprocal(std::sinh(x))"),
    {"Hypot", "real", "\ninline Value Hypot(const Value& x, const Value& y) { return real_result(std::hypot(to_real(x), to_real(y))); }\n"},
    TS_REAL1(Sec, "reciprocal(std::cos(x))"),
    TS_REAL1(Secant, "reciprocal(std::cos(x))"),
    TS_REAL1(SecH, "reciprocal(std::cosh(x))"),
    TS_REAL1(Sin, "std::sin(x)"),
    TS_REAL1(Sinh, "std::sinh(x)"),
    TS_REAL1(Tan, "std::tan(x)"),
    TS_REAL1(Tanh, "std::tanh(x)"),
    TS_REAL1(Sqrt, "std::sqrt(x)"),
    TS_REAL1(Sqr, "x * x"),
    {"Length", "", "\ninline Value Length(const Value& s) { return Value(static_cast<int32_t>(text(s).size())); }\n"},
    {"Copy", "", R"CPP(
// count characters of s from position index (1-based).
inline Value Copy(const Value& s, const Value& index, const Value& count) {
    const std::string t = text(s);
    int64_t i = to_int(index);
    const int64_t n = to_int(count);
    if (i < 1) i = 1;
    if (i > static_cast<int64_t>(t.size()) || n <= 0) return Value("");
    return Value(t.substr(static_cast<size_t>(i - 1), static_cast<size_t>(n)));
}
)CPP"},
    {"Pos", "", R"CPP(
// The 1-based position of needle in s, 0 when it is not there.
inline Value Pos(const Value& needle, const Value& s) {
    const std::string n = text(needle), t = text(s);
    if (n.empty()) return Value(0);
    const size_t at = t.find(n);
    return Value(at == std::string::npos ? 0 : static_cast<int32_t>(at) + 1);
}
)CPP"},
    {"Insert", "", R"CPP(
inline Value Insert(const Value& needle, const Value& s, const Value& index) {
    std::string t = text(s);
    int64_t i = to_int(index);
    if (i < 1) i = 1;
    if (i > static_cast<int64_t>(t.size())) i = static_cast<int64_t>(t.size()) + 1;
    t.insert(static_cast<size_t>(i - 1), text(needle));
    return Value(t);
}
)CPP"},
    {"Delete", "", R"CPP(
inline Value Delete(const Value& s, const Value& index, const Value& count) {
    std::string t = text(s);
    const int64_t i = to_int(index), n = to_int(count);
    if (i >= 1 && i <= static_cast<int64_t>(t.size()) && n > 0) t.erase(static_cast<size_t>(i - 1), static_cast<size_t>(n));
    return Value(t);
}
)CPP"},
    {"Str", "", "\ninline Value Str(const Value& x) { return Value(std::to_string(to_int(x))); }\n"},
    {"Val", "", "\ninline Value Val(const Value& x) { return Value(std::to_string(to_int(x))); }\n"},
    TS_REAL1(Abs, "std::fabs(x)"),
    TS_REAL1(Ln, "logarithm(x, 1.0)"),
    TS_REAL1(Log2, "logarithm(x, std::log(2.0))"),
    TS_REAL1(Log10, "logarithm(x, std::log(10.0))"),
    {"LogN", "real", R"CPP(
inline Value LogN(const Value& base, const Value& x) {
    const double b = to_real(base);
    if (!(b > 0) || b == 1) throw Fault{"Invalid floating point operation"};
    return real_result(logarithm(to_real(x), std::log(b)));
}
)CPP"},
    TS_REAL1(Exp, "std::exp(x)"),
    {"Power", "real", "\ninline Value Power(const Value& x, const Value& y) { return real_result(std::pow(to_real(x), to_real(y))); }\n"},
    {"low32", "", R"CPP(
inline int32_t low32(double r) {
    if (std::isnan(r) || std::fabs(r) >= 9223372036854775808.0) throw Fault{"Invalid floating point operation"};
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(static_cast<int64_t>(r))));
}
)CPP"},
    {"Round", "low32", "\n// Rounds half to even; keeps the low 32 bits.\ninline Value Round(const Value& x) { return Value(low32(std::nearbyint(to_real(x)))); }\n"},
    {"Trunc", "low32", "\n// Cuts off the fraction; keeps the low 32 bits.\ninline Value Trunc(const Value& x) { return Value(low32(std::trunc(to_real(x)))); }\n"},
    {"base", "", R"CPP(
inline int32_t to_decimal(const std::string& s, int32_t base) {
    uint32_t sum = 0, weight = 1;
    for (auto it = s.rbegin(); it != s.rend(); ++it) {
        const unsigned char c = static_cast<unsigned char>(*it);
        sum += static_cast<uint32_t>(c < 58 ? c - 48 : c - 55) * weight;
        weight *= static_cast<uint32_t>(base);
    }
    return static_cast<int32_t>(sum);
}

inline std::string from_decimal(int32_t value, int32_t base) {
    std::string digits;
    if (base >= 2 || base < 0) {
        while (value > 0) {
            const int32_t d = value % base;
            digits.insert(digits.begin(), static_cast<char>(d < 10 ? d + 48 : d + 55));
            value /= base;
        }
    }
    return digits;
}

inline Value convert(const Value& x, int32_t from, int32_t to) { return Value(from_decimal(to_decimal(text(x), from), to)); }
)CPP"},
    {"HexToBin", "base", "\ninline Value HexToBin(const Value& x) { return convert(x, 16, 2); }\n"},
    {"BinToHex", "base", "\ninline Value BinToHex(const Value& x) { return convert(x, 2, 16); }\n"},
    {"HexToDec", "base", "\ninline Value HexToDec(const Value& x) { return convert(x, 16, 10); }\n"},
    {"OctToDec", "base", "\ninline Value OctToDec(const Value& x) { return convert(x, 8, 10); }\n"},
    {"BinToDec", "base", "\ninline Value BinToDec(const Value& x) { return convert(x, 2, 10); }\n"},
    {"DecToHex", "base", "\ninline Value DecToHex(const Value& x) { return convert(x, 10, 16); }\n"},
    {"DecToOct", "base", "\ninline Value DecToOct(const Value& x) { return convert(x, 10, 8); }\n"},
    {"DecToBin", "base", "\ninline Value DecToBin(const Value& x) { return convert(x, 10, 2); }\n"},
    {"SystemToDec", "base", "\ninline Value SystemToDec(const Value& base, const Value& x) { return Value(to_decimal(text(x), to_int(base))); }\n"},
    {"DecToSystem", "base", "\ninline Value DecToSystem(const Value& base, const Value& x) { return convert(x, 10, to_int(base)); }\n"},
    {"SystemToSystem", "base", "\ninline Value SystemToSystem(const Value& from, const Value& to, const Value& x) { return convert(x, to_int(from), to_int(to)); }\n"},
};

#undef TS_REAL1

}  // namespace
}  // namespace cpp_prelude

std::string CppPrelude(const std::vector<std::string>& wanted) {
  std::vector<std::string_view> names(wanted.begin(), wanted.end());
  for (size_t i = 0; i < names.size(); ++i) {
    for (const auto& s : cpp_prelude::kSections) {
      if (s.name == names[i] && !s.needs.empty() &&
          std::find(names.begin(), names.end(), s.needs) == names.end()) {
        names.push_back(s.needs);
      }
    }
  }
  // Writing a variable with elements needs both parts.
  if (std::find(names.begin(), names.end(), "write") != names.end() &&
      std::find(names.begin(), names.end(), "arrays") != names.end()) {
    names.push_back("writearrays");
  }
  std::string out(cpp_prelude::kCore);
  for (const auto& s : cpp_prelude::kSections) {
    if (std::find(names.begin(), names.end(), s.name) != names.end()) out += s.text;
  }
  return out;
}

const std::vector<std::string_view>& CppPreludeNames() {
  static const std::vector<std::string_view> names = [] {
    std::vector<std::string_view> n = {
        "Fault", "NoAnswer", "cp1250_high", "from_utf8", "to_utf8", "Kind", "EMPTY", "INTEGER", "REAL", "TEXT", "BOOLEAN", "Value", "check_real",
        "trimmed", "same_text", "parse_int", "parse_real", "parse_number", "round_int", "to_int", "to_real",
        "to_bool", "format_real", "text", "family", "Op", "ADD", "SUB", "MUL", "DIVIDE", "DIV", "MOD", "SHL",
        "SHR", "AND", "OR", "integer_op", "real_op", "binary", "compare", "run", "Div", "Mod", "Cell", "Arr",
        "classify", "assign_tuple", "read_text", "read_into", "read_value", "write", "fixed_digits",
        "four_decimals", "shown", "write_shown", "write_var", "append_cell", "real_result", "reciprocal",
        "logarithm", "random_below", "generator", "low32", "to_decimal", "from_decimal", "convert", "program", "main", "std"};
    for (const auto& s : cpp_prelude::kSections) n.push_back(s.name);
    return n;
  }();
  return names;
}

}  // namespace tessaro::codegen
