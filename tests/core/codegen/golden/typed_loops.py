# typed_loops: exported from a Tessaro flowchart.
# Values, arithmetic, read and write follow the flowchart interpreter (prelude below).

import math
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


def div(a, b):
    """Integer division that truncates towards zero."""
    return V(binary('div', raw(a), raw(b)))


def mod(a, b):
    """The remainder of div: it has the sign of a."""
    return V(binary('mod', raw(a), raw(b)))


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


def Length(s):
    return V(len(text(raw(s)).encode('cp1250', 'replace')))


def Str(x):
    return V(str(to_int(raw(x))))


def main():
    s = x = m = V()
    s = V(0)
    for i in range(1, 11):
        s = s + i * i
    write_var(s)
    t = ''
    j = 10
    while j >= 1:
        t = raw(t + Str(j))
        j = j - 3
    write_var(t)
    write_var(j)
    b = raw(Length(t) > 5)
    write_var(b)
    r = raw(V(7) / 2)
    write_var(r)
    write(V(r) + 0)
    x = V(1)
    for k in range(25):
        x = x * 3
    write_var(x)
    c = 0
    m = V(2147483640)
    while m <= 2147483647:
        c = raw(mod(c * 31 + 7, 1009))
        m = m + 1
    write_var(c)
    write_var(m)
    write(not b)
    write(-c)


run(main)
