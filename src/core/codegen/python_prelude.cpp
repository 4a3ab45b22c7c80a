#include "core/codegen/python_prelude.h"

#include <algorithm>

namespace tessaro::codegen {

// Named per language: the other languages' preludes use the same names.
namespace python_prelude {
namespace {

struct Section {
  std::string_view name;
  std::string_view needs;  // another section printed before this one, or empty
  std::string_view text;
};

// The values and operations of the flowchart language, exactly as its
// interpreter computes them.
constexpr std::string_view kCore = R"PY(import math
import sys

INT_MIN, INT_MAX = -2 ** 31, 2 ** 31 - 1


class Fault(Exception):
    """A run-time error: the program stops as the interpreter does."""


class NoAnswer(Exception):
    """The input has no answer left: the program stops as the console does."""


def kind(x):
    """0 empty, 1 integer, 2 real, 3 text, 4 boolean."""
    if x is None:
        return 0
    t = type(x)
    return 4 if t is bool else 1 if t is int else 2 if t is float else 3


def raw(x):
    return x.x if type(x) is V else x


def check_real(r):
    if r != r:
        raise Fault('Invalid floating point operation')
    if r in (math.inf, -math.inf):
        raise Fault('Floating point overflow')
    return r


def blank(c):
    return c in ' \t\r\n'


def parse_int(s):
    s = s.strip(' \t\r\n')
    negative = False
    if s[:1] in ('+', '-'):
        negative = s[0] == '-'
        s = s[1:]
    base = 10
    if s[:1] == '$':
        base, s = 16, s[1:]
    elif len(s) > 1 and s[0] == '0' and s[1] in 'xX':
        base, s = 16, s[2:]
    if not s:
        return None
    value = 0
    for c in s:
        if '0' <= c <= '9':
            d = ord(c) - 48
        elif base == 16 and c.lower() in 'abcdef':
            d = ord(c.lower()) - 87
        else:
            return None
        value = value * base + d
        if value > 2 ** 32:
            return None
    if negative:
        value = -value
    if base == 16 and not negative and value <= 0xFFFFFFFF:
        value = value - 2 ** 32 if value > INT_MAX else value
    return value if INT_MIN <= value <= INT_MAX else None


def parse_real(s):
    s = s.strip(' \t\r\n')
    i, n, digits = 0, len(s), 0
    if i < n and s[i] in '+-':
        i += 1
    while i < n and s[i].isdigit() and s[i] < '\x80':
        i, digits = i + 1, digits + 1
    if i < n and s[i] in '.,':
        s = s[:i] + '.' + s[i + 1:]
        i += 1
        while i < n and s[i].isdigit() and s[i] < '\x80':
            i, digits = i + 1, digits + 1
    if digits == 0:
        return None
    if i < n and s[i] in 'eE':
        i += 1
        if i < n and s[i] in '+-':
            i += 1
        start = i
        while i < n and s[i].isdigit() and s[i] < '\x80':
            i += 1
        if i == start:
            return None
    if i != n:
        return None
    v = float(s)
    return None if v in (math.inf, -math.inf) else v


def parse_number(s):
    v = parse_int(s)
    if v is None:
        v = parse_real(s)
    if v is None:
        raise Fault('Type mismatch')
    return v


def round_int(v):
    if v != v:
        raise Fault('Invalid floating point operation')
    if v in (math.inf, -math.inf) or not -2147483648.0 <= round(v) <= 2147483647.0:
        raise Fault('Range check error')
    return round(v)


def to_int(x):
    k = kind(x)
    if k == 1:
        return x
    if k == 2:
        return round_int(x)
    if k == 4:
        return -1 if x else 0
    if k == 3:
        return to_int(parse_number(x))
    return 0


def to_real(x):
    k = kind(x)
    if k == 4:
        return -1.0 if x else 0.0
    if k == 3:
        return to_real(parse_number(x))
    return 0.0 if x is None else float(x)


def to_bool(x):
    k = kind(x)
    if k == 4:
        return x
    if k == 3:
        t = x.strip(' \t\r\n').lower()
        if t in ('true', 'false'):
            return t == 'true'
        return to_bool(parse_number(x))
    return x is not None and x != 0


def format_real(v):
    if v != v:
        return 'NAN'
    if v in (math.inf, -math.inf):
        return 'INF' if v > 0 else '-INF'
    if v == 0:
        return '0'
    mantissa, exponent = ('%.14e' % v).split('e')
    exponent = int(exponent)
    sign = ''
    if mantissa[0] == '-':
        sign, mantissa = '-', mantissa[1:]
    digits = (mantissa[0] + mantissa[2:]).rstrip('0') or '0'
    if -5 <= exponent < 15:
        if exponent < 0:
            return sign + '0.' + '0' * (-exponent - 1) + digits
        if len(digits) <= exponent + 1:
            return sign + digits + '0' * (exponent + 1 - len(digits))
        return sign + digits[:exponent + 1] + '.' + digits[exponent + 1:]
    return sign + digits[0] + ('.' + digits[1:] if len(digits) > 1 else '') + 'E' + str(exponent)


def text(x):
    k = kind(x)
    if k == 1:
        return str(x)
    if k == 2:
        return format_real(x)
    if k == 4:
        return 'True' if x else 'False'
    return '' if x is None else x


def family(a, b):
    ka, kb = kind(a), kind(b)
    if ka == 2 or kb == 2:
        return 2
    if ka == 1 or kb == 1:
        return 2 if 3 in (ka, kb) else 1
    if ka == 4 or kb == 4:
        return 4
    return 3 if 3 in (ka, kb) else 0


def wrap32(r):
    r &= 0xFFFFFFFF
    return r - 2 ** 32 if r > INT_MAX else r


def integer_op(op, a, b):
    if op in ('+', '-', '*'):
        r = a + b if op == '+' else a - b if op == '-' else a * b
        return float(r) if r < INT_MIN or r > INT_MAX else r
    if op in ('div', 'mod'):
        if b == 0:
            raise Fault('Division by zero')
        if op == 'mod':
            return 0 if b == -1 else (abs(a) % abs(b)) * (-1 if a < 0 else 1)
        if a == INT_MIN and b == -1:
            raise Fault('Integer overflow')
        q = abs(a) // abs(b)
        return q if (a < 0) == (b < 0) else -q
    if op == 'shl':
        return wrap32(a << (b & 31))
    if op == 'shr':
        return wrap32((a & 0xFFFFFFFF) >> (b & 31))
    if op == 'and':
        return a & b
    if op == 'or':
        return a | b
    return None


def real_op(op, a, b):
    if op == '+':
        return check_real(a + b)
    if op == '-':
        return check_real(a - b)
    if op == '*':
        return check_real(a * b)
    if b == 0:
        raise Fault('Invalid floating point operation' if a == 0 or a != a else 'Division by zero')
    return check_real(a / b)


def binary(op, a, b):
    f = family(a, b)
    logic = op in ('and', 'or')
    integer = op in ('div', 'mod', 'shl', 'shr')
    if f == 1:
        return real_op(op, to_real(a), to_real(b)) if op == '/' else integer_op(op, to_int(a), to_int(b))
    if f == 3 and op == '+':
        return text(a) + text(b)
    if f in (2, 3):
        if integer or logic:
            return integer_op(op, to_int(a), to_int(b))
        return real_op(op, to_real(a), to_real(b))
    if f == 4:
        if logic:
            x, y = to_bool(a), to_bool(b)
            return (x and y) if op == 'and' else (x or y)
        if integer:
            return integer_op(op, to_int(a), to_int(b))
        return real_op(op, to_real(a), to_real(b))
    if op == '/':
        raise Fault('Division by zero')
    if op in ('div', 'mod'):
        raise Fault('Division by zero')
    return None


def compare(a, b):
    f = family(a, b)
    if f == 1:
        x, y = to_int(a), to_int(b)
    elif f == 2:
        x, y = to_real(a), to_real(b)
    elif f == 3:
        x, y = text(a).encode('cp1250', 'replace'), text(b).encode('cp1250', 'replace')
    elif f == 4:
        x, y = to_bool(a), to_bool(b)
    else:
        return 0
    return -1 if x < y else 1 if y < x else 0


def negate(x):
    if kind(x) == 4:
        return not x
    if kind(x) == 3 and x.strip(' \t\r\n').lower() in ('true', 'false'):
        return not to_bool(x)
    return ~to_int(x)


class V:
    """A value of the flowchart language: empty, integer, real, text or boolean."""
    __slots__ = ('x',)
    __hash__ = None

    def __init__(self, x=None):
        self.x = raw(x)

    def __bool__(self):
        return to_bool(self.x)

    def __add__(self, o): return V(binary('+', self.x, raw(o)))
    def __radd__(self, o): return V(binary('+', raw(o), self.x))
    def __sub__(self, o): return V(binary('-', self.x, raw(o)))
    def __rsub__(self, o): return V(binary('-', raw(o), self.x))
    def __mul__(self, o): return V(binary('*', self.x, raw(o)))
    def __rmul__(self, o): return V(binary('*', raw(o), self.x))
    def __truediv__(self, o): return V(binary('/', self.x, raw(o)))
    def __rtruediv__(self, o): return V(binary('/', raw(o), self.x))
    def __lshift__(self, o): return V(binary('shl', self.x, raw(o)))
    def __rlshift__(self, o): return V(binary('shl', raw(o), self.x))
    def __rshift__(self, o): return V(binary('shr', self.x, raw(o)))
    def __rrshift__(self, o): return V(binary('shr', raw(o), self.x))
    def __and__(self, o): return V(binary('and', self.x, raw(o)))
    def __rand__(self, o): return V(binary('and', raw(o), self.x))
    def __or__(self, o): return V(binary('or', self.x, raw(o)))
    def __ror__(self, o): return V(binary('or', raw(o), self.x))
    def __neg__(self): return V(binary('-', 0, self.x))
    def __invert__(self): return V(negate(self.x))
    def __eq__(self, o): return V(compare(self.x, raw(o)) == 0)
    def __ne__(self, o): return V(compare(self.x, raw(o)) != 0)
    def __lt__(self, o): return V(compare(self.x, raw(o)) < 0)
    def __le__(self, o): return V(compare(self.x, raw(o)) <= 0)
    def __gt__(self, o): return V(compare(self.x, raw(o)) > 0)
    def __ge__(self, o): return V(compare(self.x, raw(o)) >= 0)


def run(main):
    """Runs the program; exit status 2 after a run-time error, 3 when an answer is missing."""
    sys.stdout.reconfigure(encoding='utf-8', newline='\n')
    sys.stdin.reconfigure(encoding='utf-8')
    try:
        main()
    except Fault as error:
        sys.stdout.flush()
        print(error, file=sys.stderr)
        sys.exit(2)
    except NoAnswer:
        sys.exit(3)
    except (RecursionError, MemoryError, OverflowError):
        sys.stdout.flush()
        print('Run-time error', file=sys.stderr)
        sys.exit(2)
)PY";

constexpr std::string_view kDiv = R"PY(

def div(a, b):
    """Integer division that truncates towards zero."""
    return V(binary('div', raw(a), raw(b)))


def mod(a, b):
    """The remainder of div: it has the sign of a."""
    return V(binary('mod', raw(a), raw(b)))
)PY";

constexpr std::string_view kArrays = R"PY(

class Cell:
    __slots__ = ('value', 'kids')

    def __init__(self):
        self.value = None
        self.kids = None

    def child(self, k):
        if self.kids is None:
            self.kids = []
        while len(self.kids) < k:
            self.kids.append(Cell())
        return self.kids[k - 1]


class Arr:
    """A variable with elements: 1-based indexes, any number of them, growing on use."""
    __slots__ = ('root',)

    def __init__(self):
        self.root = Cell()
        self.root.child(1)

    def cell(self, key):
        path = [to_int(raw(k)) for k in (key if type(key) is tuple else (key,))]
        if not path or min(path) < 1:
            raise Fault('Index out of range')
        c = self.root
        for k in path:
            c = c.child(k)
        return c

    def __getitem__(self, key):
        return V(self.cell(key).value)

    def __setitem__(self, key, value):
        self.cell(key).value = raw(value)

    def dim(self, *sizes):
        if not sizes or min(sizes) < 1:
            raise Fault('Index out of range')

        def reset(c, level):
            if level == len(sizes):
                c.value = None
                return
            for k in range(1, sizes[level] + 1):
                reset(c.child(k), level + 1)
        reset(self.root, 0)

    def set(self, tuple_text):
        assign_tuple(self, tuple_text)


def classify(token):
    """The literal a token of a tuple denotes, or None."""
    if token[:1] in ('"', "'"):
        return token[1:-1] if len(token) >= 2 else ''
    if token[:1] not in ('x', 'X'):
        if token[:1] == '$' or token[:2] in ('0x', '0X'):
            digits = token[1:] if token[:1] == '$' else token[2:]
            if digits and all(c in '0123456789abcdefABCDEF' for c in digits) and int(digits, 16) <= 0xFFFFFFFF:
                return wrap32(int(digits, 16))
        else:
            sign, digits = (token[0], token[1:]) if token[:1] in ('+', '-') else ('', token)
            if digits and all('0' <= c <= '9' for c in digits):
                value = int(sign + digits)
                if INT_MIN <= value <= INT_MAX:
                    return value
    t = '0' + token if token[:1] == '.' else token
    i, n = 0, len(t)
    if i < n and t[i] in '+-':
        i += 1
    start = i
    while i < n and '0' <= t[i] <= '9':
        i += 1
    if i > start:
        if i < n and t[i] == '.':
            i += 1
            while i < n and '0' <= t[i] <= '9':
                i += 1
        if i < n and t[i] in 'eE':
            i += 1
            if i < n and t[i] in '+-':
                i += 1
            start = i
            while i < n and '0' <= t[i] <= '9':
                i += 1
            if i == start:
                i = -1
        if i == n:
            v = float(t)
            if v not in (math.inf, -math.inf):
                return v
    if token.upper() in ('TRUE', 'FALSE'):
        return token.upper() == 'TRUE'
    return None


def assign_tuple(arr, tuple_text):
    """Assigns the literals of a tuple such as ((1,2),(3,'a')) to the elements of arr."""
    opened = closed = depth = 0
    quoted = False
    for c in tuple_text:
        opened += c == '('
        closed += c == ')'
        if closed > opened:
            break
        if c == "'":
            quoted = not quoted
        elif not quoted:
            depth += (c == '(') - (c == ')')
            if depth < 0:
                break
    if closed != opened or depth < 0:
        raise Fault('Unbalanced parentheses')
    quoted, prepared = False, ''
    for c in tuple_text:
        if c == "'":
            quoted = not quoted
        if c != ' ' or quoted:
            prepared += c
    prepared = prepared.replace('\r\n', '')
    quotes, depth, path, token = 0, 0, [], ''

    def separator(comma):
        if comma and depth < 1:
            raise Fault('Wrong tuple')
        if token:
            value = classify(token)
            if value is None:
                raise Fault('Not a value: ' + token)
            arr.cell(tuple(path)).value = value
        if comma:
            path[depth - 1] += 1
        else:
            path[depth] = 1

    for c in prepared:
        if c == "'":
            quotes += 1
            token += c
        elif quotes % 2 == 1:
            token += c
        elif c == '(':
            depth += 1
            if len(path) < depth:
                path.extend([1] * (depth - len(path)))
        elif c == ')':
            depth -= 1
            separator(False)
            token = ''
        elif c == ',':
            separator(True)
            token = ''
        else:
            token += c
)PY";

constexpr std::string_view kRead = R"PY(

def read_text():
    """One answer, a line of the input; none ends the program."""
    line = sys.stdin.readline()
    if line.endswith('\n'):
        line = line[:-1]
    if line.endswith('\r'):
        line = line[:-1]
    if not line:
        raise NoAnswer()
    return line


def read_into(arr):
    """read of a whole variable: the answer is a tuple, its parentheses optional."""
    answer = read_text()
    if not answer.startswith('('):
        answer = '(' + answer
    if not answer.endswith(')'):
        answer += ')'
    assign_tuple(arr, answer)


def read_value(old):
    """read of a plain variable: its value after the answer is assigned to it."""
    arr = Arr()
    arr.root.kids[0].value = raw(old)
    read_into(arr)
    return V(arr.root.kids[0].value)
)PY";

constexpr std::string_view kWrite = R"PY(

def write(value):
    """write of an expression."""
    print(text(raw(value)))


def four_decimals(v):
    t = '%.4f' % v
    exact = '%.60f' % v
    point = exact.index('.')
    if exact[point + 5:] == '5' + '0' * 55 and t[-4:] == exact[point + 1:point + 5]:
        digits = list(t)
        i = len(digits) - 1
        while True:
            if i < 0:
                digits.insert(0, '1')
                break
            if digits[i] == '.':
                i -= 1
                continue
            if digits[i] == '-':
                digits.insert(i + 1, '1')
                break
            if digits[i] != '9':
                digits[i] = chr(ord(digits[i]) + 1)
                break
            digits[i] = '0'
            i -= 1
        t = ''.join(digits)
    if t[0] == '-' and t.strip('-0.') == '':
        t = t[1:]
    return t


def shown(x):
    """A value as a variable shows it."""
    k = kind(x)
    if k == 0:
        return '?'
    if k == 1:
        return str(x)
    if k == 4:
        return 'True' if x else '0'
    if k == 3:
        return x or '0'
    if x == 0:
        return '0'
    if x != x:
        return 'NAN'
    if x in (math.inf, -math.inf):
        return 'INF' if x > 0 else '-INF'
    return four_decimals(x)


def write_var(variable):
    """write of a whole variable: its value, or its elements as a tuple."""
    if type(variable).__name__ != 'Arr':
        s = '(' + shown(raw(variable)) + ')'
    else:
        parts = []

        def walk(c):
            if not c.kids:
                parts.append(shown(c.value))
                return
            parts.append('(')
            for i, kid in enumerate(c.kids):
                if i:
                    parts.append(',')
                walk(kid)
            parts.append(')')
        walk(variable.root)
        s = ''.join(parts)
    print(s if ',' in s else s[1:-1])
)PY";

// Built-in functions, each printed only when the program calls it.
constexpr std::string_view kReal1 = R"PY(

def real_result(r):
    return V(check_real(r))


def reciprocal(x):
    if x == 0:
        raise Fault('Division by zero')
    return 1 / x


def logarithm(x, base_log):
    if not x > 0:
        raise Fault('Invalid floating point operation')
    return math.log(x) / base_log


def real_function(f):
    def call(x):
        try:
            return real_result(f(to_real(raw(x))))
        except (ValueError, OverflowError):
            raise Fault('Invalid floating point operation')
    return call
)PY";

constexpr Section kSections[] = {
    {"div", "", kDiv},
    {"arrays", "", kArrays},
    {"read", "arrays", kRead},
    {"write", "", kWrite},
    {"real", "", kReal1},
    {"Random", "", R"PY(

generator = None


def random_below(r):
    """In [0, r) for a positive r, (r, 0] for a negative one, drawn by the
    interpreter's generator: with TESSARO_SEED=N in the environment the
    numbers of tessaro-cli run --seed N."""
    global generator
    if generator is None:
        import os
        import random
        generator = random.Random()
        seed = os.environ.get('TESSARO_SEED')
        if seed is not None:
            state = [int(seed) & 0xFFFFFFFF]
            for k in range(1, 624):
                state.append((1812433253 * (state[-1] ^ (state[-1] >> 30)) + k) & 0xFFFFFFFF)
            generator.setstate((3, tuple(state) + (624,), None))
    return (generator.getrandbits(32) * r) >> 32


def Random(a, b=None):
    """A random integer."""
    if b is None:
        return V(random_below(to_int(raw(a))))
    r = round_int(to_real(raw(b)) - to_real(raw(a)))
    return V(binary('+', raw(a), random_below(r)))
)PY"},
    {"ArcCos", "real", "\nArcCos = real_function(math.acos)\n"},
    {"ArcCosh", "real", "\nArcCosh = real_function(math.acosh)\n"},
    {"ArcCtg", "real", "\nArcCtg = real_function(lambda x: math.atan(reciprocal(x)))\n"},
    {"ArcCtgH", "real", "\nArcCtgH = real_function(lambda x: math.atanh(reciprocal(x)))\n"},
    {"ArcCsc", "real", "\nArcCsc = real_function(lambda x: math.asin(reciprocal(x)))\n"},
    {"ArcCscH", "real", "\nArcCscH = real_function(lambda x: math.asinh(reciprocal(x)))\n"},
    {"ArcSec", "real", "\nArcSec = real_function(lambda x: math.acos(reciprocal(x)))\n"},
    {"ArcSecH", "real", "\nArcSecH = real_function(lambda x: math.acosh(reciprocal(x)))\n"},
    {"ArcSin", "real", "\nArcSin = real_function(math.asin)\n"},
    {"ArcSinh", "real", "\nArcSinh = real_function(math.asinh)\n"},
    {"ArcTan", "real", "\nArcTan = real_function(math.atan)\n"},
    {"ArcTan2", "real", "\n\ndef ArcTan2(y, x):\n    return real_result(math.atan2(to_real(raw(y)), to_real(raw(x))))\n"},
    {"ArcTanh", "real", "\nArcTanh = real_function(math.atanh)\n"},
    {"Cos", "real", "\nCos = real_function(math.cos)\n"},
    {"Cosecant", "real", "\nCosecant = real_function(lambda x: reciprocal(math.sin(x)))\n"},
    {"Cosh", "real", "\nCosh = real_function(math.cosh)\n"},
    {"Cot", "real", "\nCot = real_function(lambda x: reciprocal(math.tan(x)))\n"},
    {"Cotan", "real", "\nCotan = real_function(lambda x: reciprocal(math.tan(x)))\n"},
    {"CotH", "real", "\nCotH = real_function(lambda x: reciprocal(math.tanh(x)))\n"},
    {"Csc", "real", "\nCsc = real_function(lambda x: reciprocal(math.sin(x)))\n"},
    {"CscH", "real", "\nCscH = real_function(lambda x: reciprocal(math.sinh(x)))\n"},
    {"Hypot", "real", "\n\ndef Hypot(x, y):\n    return real_result(math.hypot(to_real(raw(x)), to_real(raw(y))))\n"},
    {"Sec", "real", "\nSec = real_function(lambda x: reciprocal(math.cos(x)))\n"},
    {"Secant", "real", "\nSecant = real_function(lambda x: reciprocal(math.cos(x)))\n"},
    {"SecH", "real", "\nSecH = real_function(lambda x: reciprocal(math.cosh(x)))\n"},
    {"Sin", "real", "\nSin = real_function(math.sin)\n"},
    {"Sinh", "real", "\nSinh = real_function(math.sinh)\n"},
    {"Tan", "real", "\nTan = real_function(math.tan)\n"},
    {"Tanh", "real", "\nTanh = real_function(math.tanh)\n"},
    {"Sqrt", "real", "\nSqrt = real_function(math.sqrt)\n"},
    {"Sqr", "real", "\nSqr = real_function(lambda x: x * x)\n"},
    {"Length", "", "\n\ndef Length(s):\n    return V(len(text(raw(s)).encode('cp1250', 'replace')))\n"},
    {"Copy", "", R"PY(

def Copy(s, index, count):
    """count characters of s from position index (1-based)."""
    s, index, count = text(raw(s)), max(to_int(raw(index)), 1), to_int(raw(count))
    if index > len(s) or count <= 0:
        return V('')
    return V(s[index - 1:index - 1 + count])
)PY"},
    {"Pos", "", R"PY(

def Pos(needle, s):
    """The 1-based position of needle in s, 0 when it is not there."""
    needle, s = text(raw(needle)), text(raw(s))
    return V(s.find(needle) + 1 if needle else 0)
)PY"},
    {"Insert", "", R"PY(

def Insert(needle, s, index):
    needle, s, index = text(raw(needle)), text(raw(s)), to_int(raw(index))
    index = min(max(index, 1), len(s) + 1)
    return V(s[:index - 1] + needle + s[index - 1:])
)PY"},
    {"Delete", "", R"PY(

def Delete(s, index, count):
    s, index, count = text(raw(s)), to_int(raw(index)), to_int(raw(count))
    if 1 <= index <= len(s) and count > 0:
        s = s[:index - 1] + s[index - 1 + count:]
    return V(s)
)PY"},
    {"Str", "", "\n\ndef Str(x):\n    return V(str(to_int(raw(x))))\n"},
    {"Val", "", "\n\ndef Val(x):\n    return V(str(to_int(raw(x))))\n"},
    {"Abs", "real", "\nAbs = real_function(abs)\n"},
    {"Ln", "real", "\nLn = real_function(lambda x: logarithm(x, 1.0))\n"},
    {"Log2", "real", "\nLog2 = real_function(lambda x: logarithm(x, math.log(2.0)))\n"},
    {"Log10", "real", "\nLog10 = real_function(lambda x: logarithm(x, math.log(10.0)))\n"},
    {"LogN", "real", R"PY(

def LogN(base, x):
    base = to_real(raw(base))
    if not base > 0 or base == 1:
        raise Fault('Invalid floating point operation')
    return real_result(logarithm(to_real(raw(x)), math.log(base)))
)PY"},
    {"Exp", "real", "\nExp = real_function(math.exp)\n"},
    {"Power", "real", R"PY(

def Power(x, y):
    try:
        return real_result(math.pow(to_real(raw(x)), to_real(raw(y))))
    except (ValueError, OverflowError):
        raise Fault('Invalid floating point operation')
)PY"},
    {"Round", "", R"PY(

def Round(x):
    """Rounds half to even; keeps the low 32 bits."""
    r = to_real(raw(x))
    if r != r or abs(r) >= 2.0 ** 63:
        raise Fault('Invalid floating point operation')
    return V(wrap32(round(r)))
)PY"},
    {"Trunc", "", R"PY(

def Trunc(x):
    """Cuts off the fraction; keeps the low 32 bits."""
    r = to_real(raw(x))
    if r != r or abs(r) >= 2.0 ** 63:
        raise Fault('Invalid floating point operation')
    return V(wrap32(int(r)))
)PY"},
    {"base", "", R"PY(

def to_decimal(s, base):
    total, weight = 0, 1
    for c in reversed(s.encode('cp1250', 'replace')):
        total = (total + (c - 48 if c < 58 else c - 55) * weight) & 0xFFFFFFFF
        weight = (weight * base) & 0xFFFFFFFF
    return wrap32(total)


def from_decimal(value, base):
    digits = ''
    if base >= 2 or base < 0:
        while value > 0:
            d = abs(value) % abs(base) * (-1 if value < 0 else 1)
            digits = chr((d + 48 if d < 10 else d + 55) & 0xFF) + digits
            q = abs(value) // abs(base)
            value = q if (value < 0) == (base < 0) else -q
    return digits


def convert(x, source, target):
    return V(from_decimal(to_decimal(text(raw(x)), source), target))
)PY"},
    {"HexToBin", "base", "\n\ndef HexToBin(x):\n    return convert(x, 16, 2)\n"},
    {"BinToHex", "base", "\n\ndef BinToHex(x):\n    return convert(x, 2, 16)\n"},
    {"HexToDec", "base", "\n\ndef HexToDec(x):\n    return convert(x, 16, 10)\n"},
    {"OctToDec", "base", "\n\ndef OctToDec(x):\n    return convert(x, 8, 10)\n"},
    {"BinToDec", "base", "\n\ndef BinToDec(x):\n    return convert(x, 2, 10)\n"},
    {"DecToHex", "base", "\n\ndef DecToHex(x):\n    return convert(x, 10, 16)\n"},
    {"DecToOct", "base", "\n\ndef DecToOct(x):\n    return convert(x, 10, 8)\n"},
    {"DecToBin", "base", "\n\ndef DecToBin(x):\n    return convert(x, 10, 2)\n"},
    {"SystemToDec", "base", "\n\ndef SystemToDec(base, x):\n    return V(to_decimal(text(raw(x)), to_int(raw(base))))\n"},
    {"DecToSystem", "base", "\n\ndef DecToSystem(base, x):\n    return convert(x, 10, to_int(raw(base)))\n"},
    {"SystemToSystem", "base", "\n\ndef SystemToSystem(source, target, x):\n    return convert(x, to_int(raw(source)), to_int(raw(target)))\n"},
};

}  // namespace
}  // namespace python_prelude

std::string PythonPrelude(const std::vector<std::string>& wanted) {
  std::vector<std::string_view> names(wanted.begin(), wanted.end());
  // What the wanted sections need comes in too.
  for (size_t i = 0; i < names.size(); ++i) {
    for (const auto& s : python_prelude::kSections) {
      if (s.name == names[i] && !s.needs.empty() &&
          std::find(names.begin(), names.end(), s.needs) == names.end()) {
        names.push_back(s.needs);
      }
    }
  }
  std::string out(python_prelude::kCore);
  for (const auto& s : python_prelude::kSections) {
    if (std::find(names.begin(), names.end(), s.name) != names.end()) out += s.text;
  }
  return out;
}

const std::vector<std::string_view>& PythonPreludeNames() {
  static const std::vector<std::string_view> names = [] {
    std::vector<std::string_view> n = {
        "math", "sys", "INT_MIN", "INT_MAX", "Fault", "NoAnswer", "kind", "raw", "check_real", "blank",
        "parse_int", "parse_real", "parse_number", "round_int", "to_int", "to_real", "to_bool",
        "format_real", "text", "family", "wrap32", "integer_op", "real_op", "binary", "compare", "negate",
        "V", "run", "div", "mod", "Cell", "Arr", "classify", "assign_tuple", "read_text", "read_into",
        "read_value", "write", "four_decimals", "shown", "write_var", "real_result", "reciprocal",
        "logarithm", "real_function", "generator", "random_below", "to_decimal", "from_decimal", "convert", "main"};
    for (const auto& s : python_prelude::kSections) n.push_back(s.name);
    return n;
  }();
  return names;
}

}  // namespace tessaro::codegen
