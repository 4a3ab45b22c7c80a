// typed_loops: exported from a Tessaro flowchart.
// Values, arithmetic, read and write follow the flowchart interpreter (prelude below):
// a value is an Integer, Double, String, Boolean or null (empty).
public class Main {
    /** A run-time error: the program stops as the interpreter does. */
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

    /** Integer division that truncates towards zero. */
    static Object Div(Object a, Object b) { return binary("div", a, b); }

    /** The remainder of Div: it has the sign of a. */
    static Object Mod(Object a, Object b) { return binary("mod", a, b); }

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

    static Object Length(Object s) { return text(s).length(); }

    static Object Str(Object x) { return Integer.toString(toInt(x)); }

    static void program() {
        Object s = null, x = null, m = null;
        int i = 0, j = 0, k = 0, c = 0;
        double r = 0.0;
        String t = "";
        boolean b = false;
        s = 0;
        for (i = 1; i <= 10; i = i + 1) {
            s = add(s, i * i);
        }
        writeVar(s);
        t = "";
        for (j = 10; j >= 1; j = j - 3) {
            t = (String) add(t, Str(j));
        }
        writeVar(t);
        writeVar(j);
        b = (boolean) gt(Length(t), 5);
        writeVar(b);
        r = (double) divide(7, 2);
        writeVar(r);
        write(add(r, 0));
        x = 1;
        for (k = 0; k < 25; k = k + 1) {
            x = mul(x, 3);
        }
        writeVar(x);
        c = 0;
        for (m = 2147483640; truth(le(m, 2147483647)); m = add(m, 1)) {
            c = (int) Mod(c * 31 + 7, 1009);
        }
        writeVar(c);
        writeVar(m);
        write(!b);
        write(-c);
    }

    public static void main(String[] args) {
        System.exit(run());
    }
}
