#include "core/codegen/java_prelude.h"

#include <algorithm>

namespace tessaro::codegen {

// Named per language: the other languages' preludes use the same names.
namespace java_prelude {
namespace {

struct Section {
  std::string_view name;
  std::string_view needs;
  std::string_view text;
};

// Values are plain Java objects: null (empty), Integer, Double, String and Boolean.
constexpr std::string_view kCore = R"JAVA(    /** A run-time error: the program stops as the interpreter does. */
    static final class Fault extends RuntimeException {
        Fault(String message) { super(message); }
    }

    /** The input has no answer left: the program stops as the console does. */
    static final class NoAnswer extends RuntimeException {}

    static double checkReal(double r) {
        if (Double.isNaN(r)) throw new Fault("Invalid floating point operation");
        if (Double.isInfinite(r)) throw new Fault("Floating point overflow");
        return r;
    }

    static String trimmed(String s) {
        int a = 0, b = s.length();
        while (a < b && " \t\r\n".indexOf(s.charAt(a)) >= 0) a++;
        while (b > a && " \t\r\n".indexOf(s.charAt(b - 1)) >= 0) b--;
        return s.substring(a, b);
    }

    static Integer parseInt(String t) {
        t = trimmed(t);
        boolean negative = false;
        if (!t.isEmpty() && (t.charAt(0) == '+' || t.charAt(0) == '-')) {
            negative = t.charAt(0) == '-';
            t = t.substring(1);
        }
        int base = 10;
        if (t.startsWith("$")) {
            base = 16;
            t = t.substring(1);
        } else if (t.length() > 1 && t.charAt(0) == '0' && (t.charAt(1) == 'x' || t.charAt(1) == 'X')) {
            base = 16;
            t = t.substring(2);
        }
        if (t.isEmpty()) return null;
        long value = 0;
        for (char c : t.toCharArray()) {
            int d = Character.digit(c, base);
            if (d < 0 || c > 'f') return null;
            value = value * base + d;
            if (value > (1L << 32)) return null;
        }
        if (negative) value = -value;
        if (base == 16 && !negative && value <= 0xFFFFFFFFL) value = (int) value;
        if (value < Integer.MIN_VALUE || value > Integer.MAX_VALUE) return null;
        return (int) value;
    }

    static Double parseReal(String s) {
        s = trimmed(s);
        int i = 0, n = s.length(), digits = 0;
        if (i < n && (s.charAt(i) == '+' || s.charAt(i) == '-')) i++;
        while (i < n && s.charAt(i) >= '0' && s.charAt(i) <= '9') { i++; digits++; }
        if (i < n && (s.charAt(i) == '.' || s.charAt(i) == ',')) {
            s = s.substring(0, i) + "." + s.substring(i + 1);
            i++;
            while (i < n && s.charAt(i) >= '0' && s.charAt(i) <= '9') { i++; digits++; }
        }
        if (digits == 0) return null;
        if (i < n && (s.charAt(i) == 'e' || s.charAt(i) == 'E')) {
            i++;
            if (i < n && (s.charAt(i) == '+' || s.charAt(i) == '-')) i++;
            int start = i;
            while (i < n && s.charAt(i) >= '0' && s.charAt(i) <= '9') i++;
            if (i == start) return null;
        }
        if (i != n) return null;
        double v = Double.parseDouble(s);
        return Double.isInfinite(v) ? null : v;
    }

    static Object parseNumber(String s) {
        Integer i = parseInt(s);
        if (i != null) return i;
        Double r = parseReal(s);
        if (r != null) return r;
        throw new Fault("Type mismatch");
    }

    static int roundInt(double v) {
        if (Double.isNaN(v)) throw new Fault("Invalid floating point operation");
        double r = Math.rint(v);
        if (r < -2147483648.0 || r > 2147483647.0) throw new Fault("Range check error");
        return (int) r;
    }

    static int toInt(Object v) {
        if (v instanceof Integer) return (Integer) v;
        if (v instanceof Double) return roundInt((Double) v);
        if (v instanceof Boolean) return (Boolean) v ? -1 : 0;
        if (v instanceof String) return toInt(parseNumber((String) v));
        return 0;
    }

    static double toReal(Object v) {
        if (v instanceof Integer) return (Integer) v;
        if (v instanceof Double) return (Double) v;
        if (v instanceof Boolean) return (Boolean) v ? -1 : 0;
        if (v instanceof String) return toReal(parseNumber((String) v));
        return 0;
    }

    /** The truth of a value, as a condition sees it. */
    static boolean truth(Object v) {
        if (v instanceof Integer) return (Integer) v != 0;
        if (v instanceof Double) return (Double) v != 0;
        if (v instanceof Boolean) return (Boolean) v;
        if (v instanceof String) {
            String t = trimmed((String) v);
            if (t.equalsIgnoreCase("true")) return true;
            if (t.equalsIgnoreCase("false")) return false;
            return truth(parseNumber(t));
        }
        return false;
    }

    static String formatReal(double v) {
        if (Double.isNaN(v)) return "NAN";
        if (Double.isInfinite(v)) return v > 0 ? "INF" : "-INF";
        if (v == 0) return "0";
        java.math.BigDecimal d = new java.math.BigDecimal(v).round(new java.math.MathContext(15, java.math.RoundingMode.HALF_EVEN));
        String digits = d.unscaledValue().abs().toString();
        int exponent = digits.length() - 1 - d.scale();
        while (digits.length() > 1 && digits.endsWith("0")) digits = digits.substring(0, digits.length() - 1);
        String out = v < 0 ? "-" : "";
        if (exponent >= -5 && exponent < 15) {
            if (exponent < 0) return out + "0." + "0".repeat(-exponent - 1) + digits;
            if (digits.length() <= exponent + 1) return out + digits + "0".repeat(exponent + 1 - digits.length());
            return out + digits.substring(0, exponent + 1) + "." + digits.substring(exponent + 1);
        }
        out += digits.substring(0, 1);
        if (digits.length() > 1) out += "." + digits.substring(1);
        return out + "E" + exponent;
    }

    static String text(Object v) {
        if (v instanceof Double) return formatReal((Double) v);
        if (v instanceof Boolean) return (Boolean) v ? "True" : "False";
        return v == null ? "" : v.toString();
    }

    /** 0 empty, 1 integer, 2 real, 3 text, 4 boolean: the kind both operands are computed in. */
    static int family(Object a, Object b) {
        if (a instanceof Double || b instanceof Double) return 2;
        if (a instanceof Integer || b instanceof Integer) return a instanceof String || b instanceof String ? 2 : 1;
        if (a instanceof Boolean || b instanceof Boolean) return 4;
        if (a instanceof String || b instanceof String) return 3;
        return 0;
    }

    static Object integerOp(String op, int a, int b) {
        long r;
        switch (op) {
            case "+": r = (long) a + b; break;
            case "-": r = (long) a - b; break;
            case "*": r = (long) a * b; break;
            case "div":
                if (b == 0) throw new Fault("Division by zero");
                if (a == Integer.MIN_VALUE && b == -1) throw new Fault("Integer overflow");
                return a / b;
            case "mod":
                if (b == 0) throw new Fault("Division by zero");
                return b == -1 ? 0 : a % b;
            case "shl": return a << (b & 31);
            case "shr": return a >>> (b & 31);
            case "and": return a & b;
            case "or": return a | b;
            default: return null;
        }
        // Beyond 32 bits the result is a real.
        if (r < Integer.MIN_VALUE || r > Integer.MAX_VALUE) return (double) r;
        return (int) r;
    }

    static Object realOp(String op, double a, double b) {
        switch (op) {
            case "+": return checkReal(a + b);
            case "-": return checkReal(a - b);
            case "*": return checkReal(a * b);
            default:
                if (b == 0) throw new Fault(a == 0 || Double.isNaN(a) ? "Invalid floating point operation" : "Division by zero");
                return checkReal(a / b);
        }
    }

    static Object binary(String op, Object a, Object b) {
        int f = family(a, b);
        boolean logic = op.equals("and") || op.equals("or");
        boolean integer = op.equals("div") || op.equals("mod") || op.equals("shl") || op.equals("shr");
        switch (f) {
            case 1:
                if (op.equals("/")) return realOp(op, toReal(a), toReal(b));
                return integerOp(op, toInt(a), toInt(b));
            case 3:
                if (op.equals("+")) return text(a) + text(b);
                // falls through
            case 2:
                if (integer || logic) return integerOp(op, toInt(a), toInt(b));
                return realOp(op, toReal(a), toReal(b));
            case 4:
                if (logic) return op.equals("and") ? truth(a) && truth(b) : truth(a) || truth(b);
                if (integer) return integerOp(op, toInt(a), toInt(b));
                return realOp(op, toReal(a), toReal(b));
            default:
                if (op.equals("/") || op.equals("div") || op.equals("mod")) throw new Fault("Division by zero");
                return null;
        }
    }

    /** Texts are ordered by their Windows-1250 bytes, as the interpreter orders them. */
    static byte[] cp1250(String s) { return s.getBytes(java.nio.charset.Charset.forName("windows-1250")); }

    static int compare(Object a, Object b) {
        switch (family(a, b)) {
            case 1: return Integer.compare(toInt(a), toInt(b));
            case 2: {
                double x = toReal(a), y = toReal(b);
                return x < y ? -1 : (y < x ? 1 : 0);
            }
            case 3: return Integer.signum(java.util.Arrays.compareUnsigned(cp1250(text(a)), cp1250(text(b))));
            case 4: return Boolean.compare(truth(a), truth(b));
            default: return 0;
        }
    }

    static Object add(Object a, Object b) { return binary("+", a, b); }
    static Object sub(Object a, Object b) { return binary("-", a, b); }
    static Object mul(Object a, Object b) { return binary("*", a, b); }
    static Object divide(Object a, Object b) { return binary("/", a, b); }
    static Object shl(Object a, Object b) { return binary("shl", a, b); }
    static Object shr(Object a, Object b) { return binary("shr", a, b); }
    static Object and(Object a, Object b) { return binary("and", a, b); }
    static Object or(Object a, Object b) { return binary("or", a, b); }
    static Object neg(Object a) { return binary("-", 0, a); }
    static Object eq(Object a, Object b) { return compare(a, b) == 0; }
    static Object ne(Object a, Object b) { return compare(a, b) != 0; }
    static Object lt(Object a, Object b) { return compare(a, b) < 0; }
    static Object le(Object a, Object b) { return compare(a, b) <= 0; }
    static Object gt(Object a, Object b) { return compare(a, b) > 0; }
    static Object ge(Object a, Object b) { return compare(a, b) >= 0; }

    /** not: logical on booleans, bitwise on everything else. */
    static Object not(Object v) {
        if (v instanceof Boolean) return !(Boolean) v;
        if (v instanceof String) {
            String t = trimmed((String) v);
            if (t.equalsIgnoreCase("true") || t.equalsIgnoreCase("false")) return !truth(v);
        }
        return ~toInt(v);
    }

    private static java.io.PrintStream out;

    static java.io.PrintStream out() {
        if (out == null) out = new java.io.PrintStream(System.out, false, java.nio.charset.StandardCharsets.UTF_8);
        return out;
    }

    /** Runs the program; exit status 2 after a run-time error, 3 when an answer is missing. */
    public static int run() {
        try {
            program();
            return 0;
        } catch (Fault fault) {
            out().flush();
            System.err.println(fault.getMessage());
            return 2;
        } catch (NoAnswer none) {
            return 3;
        } catch (OutOfMemoryError | StackOverflowError error) {
            out().flush();
            System.err.println("Run-time error");
            return 2;
        } finally {
            out().flush();
        }
    }
)JAVA";

constexpr std::string_view kDiv = R"JAVA(
    /** Integer division that truncates towards zero. */
    static Object Div(Object a, Object b) { return binary("div", a, b); }

    /** The remainder of Div: it has the sign of a. */
    static Object Mod(Object a, Object b) { return binary("mod", a, b); }
)JAVA";

constexpr std::string_view kArrays = R"JAVA(
    static final class Cell {
        Object value;
        java.util.ArrayList<Cell> kids;

        Cell child(int k) {
            if (kids == null) kids = new java.util.ArrayList<>();
            while (kids.size() < k) kids.add(new Cell());
            return kids.get(k - 1);
        }
    }

    /** A variable with elements: 1-based indexes, any number of them, growing on use. */
    static final class Arr {
        final Cell root = new Cell();

        Arr() { root.child(1); }

        Cell cell(Object... indexes) {
            int[] path = new int[indexes.length];
            for (int k = 0; k < path.length; k++) path[k] = toInt(indexes[k]);
            if (path.length == 0) throw new Fault("Index out of range");
            for (int k : path) {
                if (k < 1) throw new Fault("Index out of range");
            }
            Cell c = root;
            for (int k : path) c = c.child(k);
            return c;
        }

        Object get(Object... indexes) { return cell(indexes).value; }

        /** put(value, indexes...): assigns one element. */
        void put(Object value, Object... indexes) { cell(indexes).value = value; }

        void dim(int... sizes) {
            for (int s : sizes) {
                if (s < 1) throw new Fault("Index out of range");
            }
            reset(root, sizes, 0);
        }

        static void reset(Cell c, int[] sizes, int level) {
            if (level == sizes.length) {
                c.value = null;
                return;
            }
            for (int k = 1; k <= sizes[level]; k++) reset(c.child(k), sizes, level + 1);
        }

        void set(String tuple) { assignTuple(this, tuple); }
    }

    /** The literal a token of a tuple denotes, or null. */
    static Object classify(String token) {
        if (token.startsWith("'") || token.startsWith("\"")) return token.length() >= 2 ? token.substring(1, token.length() - 1) : "";
        if (!token.isEmpty() && token.charAt(0) != 'x' && token.charAt(0) != 'X') {
            if (token.startsWith("$") || token.startsWith("0x") || token.startsWith("0X")) {
                String digits = token.substring(token.startsWith("$") ? 1 : 2);
                if (!digits.isEmpty() && digits.matches("[0-9a-fA-F]+") && digits.length() <= 16 && Long.parseLong(digits, 16) <= 0xFFFFFFFFL) {
                    return (int) Long.parseLong(digits, 16);
                }
            } else if (token.matches("[+-]?[0-9]+") && token.length() < 18) {
                long v = Long.parseLong(token.startsWith("+") ? token.substring(1) : token);
                if (v >= Integer.MIN_VALUE && v <= Integer.MAX_VALUE) return (int) v;
            }
        }
        String t = token.startsWith(".") ? "0" + token : token;
        if (t.matches("[+-]?[0-9]+(\\.[0-9]*)?([eE][+-]?[0-9]+)?")) {
            double v = Double.parseDouble(t);
            if (!Double.isInfinite(v)) return v;
        }
        if (token.equalsIgnoreCase("true")) return true;
        if (token.equalsIgnoreCase("false")) return false;
        return null;
    }

    /** Assigns the literals of a tuple such as ((1,2),(3,'a')) to the elements of arr. */
    static void assignTuple(Arr arr, String tuple) {
        int open = 0, close = 0, depth = 0;
        boolean quoted = false, nested = true;
        for (char c : tuple.toCharArray()) {
            if (c == '(') open++;
            if (c == ')' && ++close > open) nested = false;
            if (c == '\'') quoted = !quoted;
            else if (!quoted && c == '(') depth++;
            else if (!quoted && c == ')' && --depth < 0) nested = false;
        }
        if (!nested || open != close) throw new Fault("Unbalanced parentheses");
        StringBuilder prepared = new StringBuilder();
        quoted = false;
        for (int k = 0; k < tuple.length(); k++) {
            char c = tuple.charAt(k);
            if (c == '\'') quoted = !quoted;
            if (c == ' ' && !quoted) continue;
            if (c == '\r' && k + 1 < tuple.length() && tuple.charAt(k + 1) == '\n') {
                k++;
                continue;
            }
            prepared.append(c);
        }
        int quotes = 0;
        depth = 0;
        java.util.ArrayList<Integer> path = new java.util.ArrayList<>();
        StringBuilder token = new StringBuilder();
        for (char c : prepared.toString().toCharArray()) {
            if (c == '\'') {
                quotes++;
                token.append(c);
            } else if (quotes % 2 == 1) {
                token.append(c);
            } else if (c == '(') {
                depth++;
                while (path.size() < depth) path.add(1);
            } else if (c == ')' || c == ',') {
                boolean comma = c == ',';
                if (!comma) depth--;
                if (comma && depth < 1) throw new Fault("Wrong tuple");
                if (token.length() > 0) {
                    Object v = classify(token.toString());
                    if (v == null) throw new Fault("Not a value: " + token);
                    arr.cell(path.toArray()).value = v;
                }
                if (comma) path.set(depth - 1, path.get(depth - 1) + 1);
                else path.set(depth, 1);
                token.setLength(0);
            } else {
                token.append(c);
            }
        }
    }
)JAVA";

constexpr std::string_view kRead = R"JAVA(
    private static java.io.BufferedReader in;

    /** One answer, a line of the input; none ends the program. */
    static String readText() {
        try {
            if (in == null) in = new java.io.BufferedReader(new java.io.InputStreamReader(System.in, java.nio.charset.StandardCharsets.UTF_8));
            String line = in.readLine();
            if (line != null && line.endsWith("\r")) line = line.substring(0, line.length() - 1);
            if (line == null || line.isEmpty()) throw new NoAnswer();
            return line;
        } catch (java.io.IOException e) {
            throw new NoAnswer();
        }
    }

    /** read of a whole variable: the answer is a tuple, its parentheses optional. */
    static void readInto(Arr arr) {
        String answer = readText();
        if (!answer.startsWith("(")) answer = "(" + answer;
        if (!answer.endsWith(")")) answer += ")";
        assignTuple(arr, answer);
    }

    /** read of a plain variable: its value after the answer is assigned to it. */
    static Object readValue(Object old) {
        Arr arr = new Arr();
        arr.root.child(1).value = old;
        readInto(arr);
        return arr.root.child(1).value;
    }
)JAVA";

constexpr std::string_view kWrite = R"JAVA(
    /** write of an expression. */
    static void write(Object v) { out().print(text(v) + "\n"); }

    /** A value as a variable shows it. */
    static String shown(Object v) {
        if (v == null) return "?";
        if (v instanceof Boolean) return (Boolean) v ? "True" : "0";
        if (v instanceof String) return ((String) v).isEmpty() ? "0" : (String) v;
        if (v instanceof Double) {
            double r = (Double) v;
            if (r == 0) return "0";
            if (Double.isNaN(r)) return "NAN";
            if (Double.isInfinite(r)) return r > 0 ? "INF" : "-INF";
            // Four decimals, halves away from zero, no minus sign on zero.
            String t = new java.math.BigDecimal(r).setScale(4, java.math.RoundingMode.HALF_UP).toPlainString();
            return t.startsWith("-") && t.replaceAll("[-0.]", "").isEmpty() ? t.substring(1) : t;
        }
        return v.toString();
    }

    static void writeShown(String s) {
        // Without any comma the outer parentheses go.
        if (s.indexOf(',') < 0) s = s.length() >= 2 ? s.substring(1, s.length() - 1) : "";
        out().print(s + "\n");
    }

    /** write of a whole plain variable. */
    static void writeVar(Object v) { writeShown("(" + shown(v) + ")"); }
)JAVA";

constexpr std::string_view kWriteArray = R"JAVA(
    static void appendCell(Cell c, StringBuilder out) {
        if (c.kids == null || c.kids.isEmpty()) {
            out.append(shown(c.value));
            return;
        }
        out.append('(');
        for (int k = 0; k < c.kids.size(); k++) {
            if (k > 0) out.append(',');
            appendCell(c.kids.get(k), out);
        }
        out.append(')');
    }

    /** write of a whole variable with elements: a tuple. */
    static void writeVar(Arr arr) {
        StringBuilder s = new StringBuilder();
        appendCell(arr.root, s);
        writeShown(s.toString());
    }
)JAVA";

constexpr std::string_view kReal = R"JAVA(
    static double reciprocal(double x) {
        if (x == 0) throw new Fault("Division by zero");
        return 1 / x;
    }

    static double logarithm(double x, double baseLog) {
        if (!(x > 0)) throw new Fault("Invalid floating point operation");
        return Math.log(x) / baseLog;
    }
)JAVA";

#define TS_REAL1(NAME, EXPR) \
  {#NAME, "real", "\n    static Object " #NAME "(Object a) {\n        double x = toReal(a);\n        return checkReal(" EXPR ");\n    }\n"}

constexpr Section kSections[] = {
    {"div", "", kDiv},
    {"arrays", "", kArrays},
    {"read", "arrays", kRead},
    {"write", "", kWrite},
    {"writearrays", "arrays", kWriteArray},
    {"real", "", kReal},
    {"Random", "", R"JAVA(
    /**
     * Random draws what the interpreter draws (a Mersenne twister): with
     * TESSARO_SEED=N in the environment the numbers of tessaro-cli run --seed N.
     */
    private static int[] twister;
    private static int twisterIndex;

    static int nextRandom() {
        if (twister == null) {
            String seed = System.getenv("TESSARO_SEED");
            twister = new int[624];
            twister[0] = seed != null ? (int) Long.parseLong(seed.trim()) : new java.util.Random().nextInt();
            for (int k = 1; k < 624; k++) twister[k] = 1812433253 * (twister[k - 1] ^ (twister[k - 1] >>> 30)) + k;
            twisterIndex = 624;
        }
        if (twisterIndex >= 624) {
            for (int k = 0; k < 624; k++) {
                int y = (twister[k] & 0x80000000) | (twister[(k + 1) % 624] & 0x7fffffff);
                twister[k] = twister[(k + 397) % 624] ^ (y >>> 1) ^ ((y & 1) != 0 ? 0x9908b0df : 0);
            }
            twisterIndex = 0;
        }
        int y = twister[twisterIndex++];
        y ^= y >>> 11;
        y ^= (y << 7) & 0x9d2c5680;
        y ^= (y << 15) & 0xefc60000;
        y ^= y >>> 18;
        return y;
    }

    /** In [0, range) for a positive range, (range, 0] for a negative one. */
    static int randomBelow(int range) { return (int) (((nextRandom() & 0xFFFFFFFFL) * range) >> 32); }

    static Object Random(Object a) { return randomBelow(toInt(a)); }

    static Object Random(Object a, Object b) { return add(a, randomBelow(roundInt(toReal(b) - toReal(a)))); }
)JAVA"},
    TS_REAL1(ArcCos, "Math.acos(x)"),
    TS_REAL1(ArcCosh, "Math.log(x + Math.sqrt(x * x - 1))"),
    TS_REAL1(ArcCtg, "Math.atan(reciprocal(x))"),
    TS_REAL1(ArcCtgH, "0.5 * Math.log((1 + reciprocal(x)) / (1 - reciprocal(x)))"),
    TS_REAL1(ArcCsc, "Math.asin(reciprocal(x))"),
    TS_REAL1(ArcCscH, "Math.log(reciprocal(x) + Math.sqrt(reciprocal(x) * reciprocal(x) + 1))"),
    TS_REAL1(ArcSec, "Math.acos(reciprocal(x))"),
    TS_REAL1(ArcSecH, "Math.log(reciprocal(x) + Math.sqrt(reciprocal(x) * reciprocal(x) - 1))"),
    TS_REAL1(ArcSin, "Math.asin(x)"),
    TS_REAL1(ArcSinh, "Math.log(x + Math.sqrt(x * x + 1))"),
    TS_REAL1(ArcTan, "Math.atan2(x, 1.0)"),
    {"ArcTan2", "real", "\n    static Object ArcTan2(Object y, Object x) { return checkReal(Math.atan2(toReal(y), toReal(x))); }\n"},
    TS_REAL1(ArcTanh, "0.5 * Math.log((1 + x) / (1 - x))"),
    TS_REAL1(Cos, "Math.cos(x)"),
    TS_REAL1(Cosecant, "reciprocal(Math.sin(x))"),
    TS_REAL1(Cosh, "Math.cosh(x)"),
    TS_REAL1(Cot, "reciprocal(Math.tan(x))"),
    TS_REAL1(Cotan, "reciprocal(Math.tan(x))"),
    TS_REAL1(CotH, "reciprocal(Math.tanh(x))"),
    TS_REAL1(Csc, "reciprocal(Math.sin(x))"),
    TS_REAL1(CscH, "reciprocal(Math.sinh(x))"),
    {"Hypot", "real", "\n    static Object Hypot(Object x, Object y) { return checkReal(Math.hypot(toReal(x), toReal(y))); }\n"},
    TS_REAL1(Sec, "reciprocal(Math.cos(x))"),
    TS_REAL1(Secant, "reciprocal(Math.cos(x))"),
    TS_REAL1(SecH, "reciprocal(Math.cosh(x))"),
    TS_REAL1(Sin, "Math.sin(x)"),
    TS_REAL1(Sinh, "Math.sinh(x)"),
    TS_REAL1(Tan, "Math.tan(x)"),
    TS_REAL1(Tanh, "Math.tanh(x)"),
    TS_REAL1(Sqrt, "Math.sqrt(x)"),
    TS_REAL1(Sqr, "x * x"),
    {"Length", "", "\n    static Object Length(Object s) { return text(s).length(); }\n"},
    {"Copy", "", R"JAVA(
    /** count characters of s from position index (1-based). */
    static Object Copy(Object s, Object index, Object count) {
        String t = text(s);
        long i = Math.max(toInt(index), 1), n = toInt(count);
        if (i > t.length() || n <= 0) return "";
        return t.substring((int) i - 1, (int) Math.min(t.length(), i - 1 + n));
    }
)JAVA"},
    {"Pos", "", R"JAVA(
    /** The 1-based position of needle in s, 0 when it is not there. */
    static Object Pos(Object needle, Object s) {
        String n = text(needle);
        return n.isEmpty() ? 0 : text(s).indexOf(n) + 1;
    }
)JAVA"},
    {"Insert", "", R"JAVA(
    static Object Insert(Object needle, Object s, Object index) {
        String t = text(s);
        long i = Math.min(Math.max(toInt(index), 1), t.length() + 1L);
        return t.substring(0, (int) i - 1) + text(needle) + t.substring((int) i - 1);
    }
)JAVA"},
    {"Delete", "", R"JAVA(
    static Object Delete(Object s, Object index, Object count) {
        String t = text(s);
        long i = toInt(index), n = toInt(count);
        if (i >= 1 && i <= t.length() && n > 0) t = t.substring(0, (int) i - 1) + t.substring((int) Math.min(t.length(), i - 1 + n));
        return t;
    }
)JAVA"},
    {"Str", "", "\n    static Object Str(Object x) { return Integer.toString(toInt(x)); }\n"},
    {"Val", "", "\n    static Object Val(Object x) { return Integer.toString(toInt(x)); }\n"},
    TS_REAL1(Abs, "Math.abs(x)"),
    TS_REAL1(Ln, "logarithm(x, 1.0)"),
    TS_REAL1(Log2, "logarithm(x, Math.log(2.0))"),
    TS_REAL1(Log10, "logarithm(x, Math.log(10.0))"),
    {"LogN", "real", R"JAVA(
    static Object LogN(Object base, Object x) {
        double b = toReal(base);
        if (!(b > 0) || b == 1) throw new Fault("Invalid floating point operation");
        return checkReal(logarithm(toReal(x), Math.log(b)));
    }
)JAVA"},
    TS_REAL1(Exp, "Math.exp(x)"),
    {"Power", "real", "\n    static Object Power(Object x, Object y) { return checkReal(Math.pow(toReal(x), toReal(y))); }\n"},
    {"low32", "", R"JAVA(
    static int low32(double r) {
        if (Double.isNaN(r) || Math.abs(r) >= 9223372036854775808.0) throw new Fault("Invalid floating point operation");
        return (int) (long) r;
    }
)JAVA"},
    {"Round", "low32", "\n    /** Rounds half to even; keeps the low 32 bits. */\n    static Object Round(Object x) { return low32(Math.rint(toReal(x))); }\n"},
    {"Trunc", "low32", "\n    /** Cuts off the fraction; keeps the low 32 bits. */\n    static Object Trunc(Object x) { double r = toReal(x); return low32(r < 0 ? Math.ceil(r) : Math.floor(r)); }\n"},
    {"base", "", R"JAVA(
    static int toDecimal(String s, int base) {
        int sum = 0, weight = 1;
        byte[] bytes = s.getBytes(java.nio.charset.StandardCharsets.ISO_8859_1);
        for (int k = bytes.length - 1; k >= 0; k--) {
            int c = bytes[k] & 0xFF;
            sum += (c < 58 ? c - 48 : c - 55) * weight;
            weight *= base;
        }
        return sum;
    }

    static String fromDecimal(int value, int base) {
        StringBuilder digits = new StringBuilder();
        if (base >= 2 || base < 0) {
            while (value > 0) {
                int d = value % base;
                digits.insert(0, (char) ((d < 10 ? d + 48 : d + 55) & 0xFF));
                value /= base;
            }
        }
        return digits.toString();
    }

    static Object convert(Object x, int from, int to) { return fromDecimal(toDecimal(text(x), from), to); }
)JAVA"},
    {"HexToBin", "base", "\n    static Object HexToBin(Object x) { return convert(x, 16, 2); }\n"},
    {"BinToHex", "base", "\n    static Object BinToHex(Object x) { return convert(x, 2, 16); }\n"},
    {"HexToDec", "base", "\n    static Object HexToDec(Object x) { return convert(x, 16, 10); }\n"},
    {"OctToDec", "base", "\n    static Object OctToDec(Object x) { return convert(x, 8, 10); }\n"},
    {"BinToDec", "base", "\n    static Object BinToDec(Object x) { return convert(x, 2, 10); }\n"},
    {"DecToHex", "base", "\n    static Object DecToHex(Object x) { return convert(x, 10, 16); }\n"},
    {"DecToOct", "base", "\n    static Object DecToOct(Object x) { return convert(x, 10, 8); }\n"},
    {"DecToBin", "base", "\n    static Object DecToBin(Object x) { return convert(x, 10, 2); }\n"},
    {"SystemToDec", "base", "\n    static Object SystemToDec(Object base, Object x) { return toDecimal(text(x), toInt(base)); }\n"},
    {"DecToSystem", "base", "\n    static Object DecToSystem(Object base, Object x) { return convert(x, 10, toInt(base)); }\n"},
    {"SystemToSystem", "base", "\n    static Object SystemToSystem(Object from, Object to, Object x) { return convert(x, toInt(from), toInt(to)); }\n"},
};

#undef TS_REAL1

}  // namespace
}  // namespace java_prelude

std::string JavaPrelude(const std::vector<std::string>& wanted) {
  std::vector<std::string_view> names(wanted.begin(), wanted.end());
  for (size_t i = 0; i < names.size(); ++i) {
    for (const auto& s : java_prelude::kSections) {
      if (s.name == names[i] && !s.needs.empty() &&
          std::find(names.begin(), names.end(), s.needs) == names.end()) {
        names.push_back(s.needs);
      }
    }
  }
  if (std::find(names.begin(), names.end(), "write") != names.end() &&
      std::find(names.begin(), names.end(), "arrays") != names.end()) {
    names.push_back("writearrays");
  }
  std::string out(java_prelude::kCore);
  for (const auto& s : java_prelude::kSections) {
    if (std::find(names.begin(), names.end(), s.name) != names.end()) out += s.text;
  }
  return out;
}

const std::vector<std::string_view>& JavaPreludeNames() {
  static const std::vector<std::string_view> names = [] {
    std::vector<std::string_view> n = {
        "Fault", "NoAnswer", "checkReal", "trimmed", "parseInt", "parseReal", "parseNumber", "roundInt",
        "toInt", "toReal", "truth", "cp1250", "twister", "twisterIndex", "nextRandom", "randomBelow", "formatReal", "text", "family", "integerOp", "realOp", "binary", "compare",
        "add", "sub", "mul", "divide", "shl", "shr", "and", "or", "neg", "eq", "ne", "lt", "le", "gt", "ge",
        "not", "out", "run", "Div", "Mod", "Cell", "Arr", "classify", "assignTuple", "in", "readText",
        "readInto", "readValue", "write", "shown", "writeShown", "writeVar", "appendCell", "reciprocal",
        "logarithm", "generator", "low32", "toDecimal", "fromDecimal", "convert", "program", "main",
        "Object", "String", "Integer", "Double", "Boolean", "Math", "System", "java"};
    for (const auto& s : java_prelude::kSections) n.push_back(s.name);
    return n;
  }();
  return names;
}

}  // namespace tessaro::codegen
