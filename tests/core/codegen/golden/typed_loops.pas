{ typed_loops: exported from a Tessaro flowchart.
  Values, arithmetic, read and write follow the flowchart interpreter (prelude below). }
program Flowchart;

{$mode objfpc}{$H+}

uses
  SysUtils, Math;

type
  { A run-time error: the program stops as the interpreter does. }
  EFault = class(Exception);
  { The input has no answer left: the program stops as the console does. }
  ENoAnswer = class(Exception);

  { A value of the flowchart language: empty, integer, real, text or boolean. }
  TKind = (vkEmpty, vkInteger, vkReal, vkText, vkBoolean);
  TValue = record
    Kind: TKind;
    I: LongInt;
    R: Double;
    S: AnsiString;
    B: Boolean;
  end;
  TOp = (opAdd, opSub, opMul, opDivide, opDiv, opMod, opShl, opShr, opAnd, opOr);
  TMain = procedure;

{ Text is kept as the interpreter keeps it, one Windows-1250 byte a letter;
  the program's literals, its input and its output are UTF-8. }
const
  Cp1250High: array[0..127] of LongWord = (
    $20AC, $FFFD, $201A, $FFFD, $201E, $2026, $2020, $2021,
    $FFFD, $2030, $0160, $2039, $015A, $0164, $017D, $0179,
    $FFFD, $2018, $2019, $201C, $201D, $2022, $2013, $2014,
    $FFFD, $2122, $0161, $203A, $015B, $0165, $017E, $017A,
    $00A0, $02C7, $02D8, $0141, $00A4, $0104, $00A6, $00A7,
    $00A8, $00A9, $015E, $00AB, $00AC, $00AD, $00AE, $017B,
    $00B0, $00B1, $02DB, $0142, $00B4, $00B5, $00B6, $00B7,
    $00B8, $0105, $015F, $00BB, $013D, $02DD, $013E, $017C,
    $0154, $00C1, $00C2, $0102, $00C4, $0139, $0106, $00C7,
    $010C, $00C9, $0118, $00CB, $011A, $00CD, $00CE, $010E,
    $0110, $0143, $0147, $00D3, $00D4, $0150, $00D6, $00D7,
    $0158, $016E, $00DA, $0170, $00DC, $00DD, $0162, $00DF,
    $0155, $00E1, $00E2, $0103, $00E4, $013A, $0107, $00E7,
    $010D, $00E9, $0119, $00EB, $011B, $00ED, $00EE, $010F,
    $0111, $0144, $0148, $00F3, $00F4, $0151, $00F6, $00F7,
    $0159, $016F, $00FA, $0171, $00FC, $00FD, $0163, $02D9);

function FromUtf8(const u: AnsiString): AnsiString;
var
  i, k, extra, b: LongInt;
  lead: Byte;
  cp: LongWord;
  ok: Boolean;
begin
  Result := '';
  i := 1;
  while i <= System.Length(u) do
  begin
    lead := Ord(u[i]);
    Inc(i);
    if lead < $80 then
    begin
      Result := Result + Chr(lead);
      Continue;
    end;
    if (lead and $E0) = $C0 then begin extra := 1; cp := lead and $1F; end
    else if (lead and $F0) = $E0 then begin extra := 2; cp := lead and $0F; end
    else if (lead and $F8) = $F0 then begin extra := 3; cp := lead and $07; end
    else begin extra := 0; cp := 0; end;
    ok := extra > 0;
    k := 0;
    while ok and (k < extra) do
    begin
      if (i > System.Length(u)) or ((Ord(u[i]) and $C0) <> $80) then
        ok := False
      else
      begin
        cp := (cp shl 6) or (Ord(u[i]) and $3F);
        Inc(i);
      end;
      Inc(k);
    end;
    b := -1;
    if ok and (cp < $80) then b := cp;
    k := 0;
    while ok and (b < 0) and (cp <> $FFFD) and (k < 128) do
    begin
      if Cp1250High[k] = cp then b := $80 + k;
      Inc(k);
    end;
    if b < 0 then Result := Result + '?' else Result := Result + Chr(b);
  end;
end;

function ToUtf8(const s: AnsiString): AnsiString;
var
  i: LongInt;
  cp: LongWord;
begin
  Result := '';
  for i := 1 to System.Length(s) do
  begin
    cp := Ord(s[i]);
    if cp >= $80 then cp := Cp1250High[cp - $80];
    if cp < $80 then
      Result := Result + Chr(cp)
    else if cp < $800 then
      Result := Result + Chr($C0 or (cp shr 6)) + Chr($80 or (cp and $3F))
    else
      Result := Result + Chr($E0 or (cp shr 12)) + Chr($80 or ((cp shr 6) and $3F)) + Chr($80 or (cp and $3F));
  end;
end;

function Empty: TValue;
begin
  Result.Kind := vkEmpty;
  Result.I := 0;
  Result.R := 0;
  Result.S := '';
  Result.B := False;
end;

operator := (x: LongInt) r: TValue;
begin
  r := Empty;
  r.Kind := vkInteger;
  r.I := x;
end;

operator := (x: Double) r: TValue;
begin
  r := Empty;
  r.Kind := vkReal;
  r.R := x;
end;

operator := (const x: AnsiString) r: TValue;
begin
  r := Empty;
  r.Kind := vkText;
  r.S := x;
end;

operator := (x: Char) r: TValue;
begin
  r := Empty;
  r.Kind := vkText;
  r.S := x;
end;

operator := (x: Boolean) r: TValue;
begin
  r := Empty;
  r.Kind := vkBoolean;
  r.B := x;
end;

function V(x: LongInt): TValue; overload; begin Result := x; end;
function V(x: Double): TValue; overload; begin Result := x; end;
function V(const x: AnsiString): TValue; overload; begin Result := x; end;
function V(x: Boolean): TValue; overload; begin Result := x; end;

{ An expression evaluated for its errors only. }
procedure Evaluate(const v: TValue);
begin
end;

procedure Fail(const Message: AnsiString);
begin
  raise EFault.Create(Message);
end;

function CheckReal(r: Double): Double;
begin
  if IsNan(r) then Fail('Invalid floating point operation');
  if IsInfinite(r) then Fail('Floating point overflow');
  Result := r;
end;

function Trimmed(const s: AnsiString): AnsiString;
var
  a, b: LongInt;
begin
  a := 1;
  b := System.Length(s);
  while (a <= b) and (s[a] in [' ', #9, #13, #10]) do Inc(a);
  while (b >= a) and (s[b] in [' ', #9, #13, #10]) do Dec(b);
  Result := System.Copy(s, a, b - a + 1);
end;

function ParseInt(t: AnsiString; out v: LongInt): Boolean;
var
  negative: Boolean;
  base, d, k: LongInt;
  value: Int64;
begin
  Result := False;
  t := Trimmed(t);
  negative := False;
  if (t <> '') and (t[1] in ['+', '-']) then
  begin
    negative := t[1] = '-';
    System.Delete(t, 1, 1);
  end;
  base := 10;
  if (t <> '') and (t[1] = '$') then
  begin
    base := 16;
    System.Delete(t, 1, 1);
  end
  else if (System.Length(t) > 1) and (t[1] = '0') and (t[2] in ['x', 'X']) then
  begin
    base := 16;
    System.Delete(t, 1, 2);
  end;
  if t = '' then Exit;
  value := 0;
  for k := 1 to System.Length(t) do
  begin
    if t[k] in ['0'..'9'] then d := Ord(t[k]) - 48
    else if (base = 16) and (t[k] in ['a'..'f']) then d := Ord(t[k]) - 87
    else if (base = 16) and (t[k] in ['A'..'F']) then d := Ord(t[k]) - 55
    else Exit;
    value := value * base + d;
    if value > Int64(1) shl 32 then Exit;
  end;
  if negative then value := -value;
  if (base = 16) and not negative and (value <= $FFFFFFFF) then value := LongInt(LongWord(value));
  if (value < Low(LongInt)) or (value > High(LongInt)) then Exit;
  v := value;
  Result := True;
end;

function ParseReal(s: AnsiString; out v: Double): Boolean;
var
  i, n, digits, start, code: LongInt;
begin
  Result := False;
  s := Trimmed(s);
  i := 1;
  n := System.Length(s);
  digits := 0;
  if (i <= n) and (s[i] in ['+', '-']) then Inc(i);
  while (i <= n) and (s[i] in ['0'..'9']) do begin Inc(i); Inc(digits); end;
  if (i <= n) and (s[i] in ['.', ',']) then
  begin
    s[i] := '.';
    Inc(i);
    while (i <= n) and (s[i] in ['0'..'9']) do begin Inc(i); Inc(digits); end;
  end;
  if digits = 0 then Exit;
  if (i <= n) and (s[i] in ['e', 'E']) then
  begin
    Inc(i);
    if (i <= n) and (s[i] in ['+', '-']) then Inc(i);
    start := i;
    while (i <= n) and (s[i] in ['0'..'9']) do Inc(i);
    if i = start then Exit;
  end;
  if i <> n + 1 then Exit;
  if s[1] = '+' then System.Delete(s, 1, 1);
  System.Val(s, v, code);
  Result := (code = 0) and not IsInfinite(v);
end;

function ParseNumber(const s: AnsiString): TValue;
var
  i: LongInt;
  r: Double;
begin
  if ParseInt(s, i) then Exit(i);
  if ParseReal(s, r) then Exit(r);
  Fail('Type mismatch');
end;

function RoundInt(v: Double): LongInt;
var
  r: Int64;
begin
  if IsNan(v) then Fail('Invalid floating point operation');
  if System.Abs(v) >= 4294967296.0 then Fail('Range check error');
  { Round: to nearest, halves to even. }
  r := System.Round(v);
  if (r < Low(LongInt)) or (r > High(LongInt)) then Fail('Range check error');
  Result := r;
end;

function ToInt(const v: TValue): LongInt;
begin
  case v.Kind of
    vkInteger: Result := v.I;
    vkReal: Result := RoundInt(v.R);
    vkBoolean: if v.B then Result := -1 else Result := 0;
    vkText: Result := ToInt(ParseNumber(v.S));
  else
    Result := 0;
  end;
end;

function ToReal(const v: TValue): Double;
begin
  case v.Kind of
    vkInteger: Result := v.I;
    vkReal: Result := v.R;
    vkBoolean: if v.B then Result := -1 else Result := 0;
    vkText: Result := ToReal(ParseNumber(v.S));
  else
    Result := 0;
  end;
end;

{ The truth of a value, as a condition sees it. }
function Truth(const v: TValue): Boolean;
var
  t: AnsiString;
begin
  case v.Kind of
    vkInteger: Result := v.I <> 0;
    vkReal: Result := v.R <> 0;
    vkBoolean: Result := v.B;
    vkText:
      begin
        t := UpperCase(Trimmed(v.S));
        if t = 'TRUE' then Exit(True);
        if t = 'FALSE' then Exit(False);
        Result := Truth(ParseNumber(v.S));
      end;
  else
    Result := False;
  end;
end;

operator := (const v: TValue) r: Boolean;
begin
  r := Truth(v);
end;

function FormatReal(v: Double): AnsiString;
var
  sci, mantissa, digits: AnsiString;
  e, exponent: LongInt;
  negative: Boolean;
begin
  if IsNan(v) then Exit('NAN');
  if IsInfinite(v) then
  begin
    if v > 0 then Exit('INF') else Exit('-INF');
  end;
  if v = 0 then Exit('0');
  sci := FloatToStrF(v, ffExponent, 15, 2, DefaultFormatSettings);
  e := System.Pos('E', sci);
  exponent := StrToInt(System.Copy(sci, e + 1, 10));
  mantissa := System.Copy(sci, 1, e - 1);
  negative := mantissa[1] = '-';
  if negative then System.Delete(mantissa, 1, 1);
  digits := mantissa[1] + System.Copy(mantissa, 3, 100);
  while (System.Length(digits) > 1) and (digits[System.Length(digits)] = '0') do System.Delete(digits, System.Length(digits), 1);
  if negative then Result := '-' else Result := '';
  if (exponent >= -5) and (exponent < 15) then
  begin
    if exponent < 0 then
      Result := Result + '0.' + StringOfChar('0', -exponent - 1) + digits
    else if System.Length(digits) <= exponent + 1 then
      Result := Result + digits + StringOfChar('0', exponent + 1 - System.Length(digits))
    else
      Result := Result + System.Copy(digits, 1, exponent + 1) + '.' + System.Copy(digits, exponent + 2, 100);
    Exit;
  end;
  Result := Result + digits[1];
  if System.Length(digits) > 1 then Result := Result + '.' + System.Copy(digits, 2, 100);
  Result := Result + 'E' + IntToStr(exponent);
end;

function TextOf(const v: TValue): AnsiString;
begin
  case v.Kind of
    vkInteger: Result := IntToStr(v.I);
    vkReal: Result := FormatReal(v.R);
    vkBoolean: if v.B then Result := 'True' else Result := 'False';
    vkText: Result := v.S;
  else
    Result := '';
  end;
end;

{ The kind both operands are computed in. }
function Family(const a, b: TValue): TKind;
begin
  if (a.Kind = vkReal) or (b.Kind = vkReal) then Exit(vkReal);
  if (a.Kind = vkInteger) or (b.Kind = vkInteger) then
  begin
    if (a.Kind = vkText) or (b.Kind = vkText) then Exit(vkReal);
    Exit(vkInteger);
  end;
  if (a.Kind = vkBoolean) or (b.Kind = vkBoolean) then Exit(vkBoolean);
  if (a.Kind = vkText) or (b.Kind = vkText) then Exit(vkText);
  Result := vkEmpty;
end;

function IntegerOp(op: TOp; a, b: LongInt): TValue;
var
  r: Int64;
  d: Double;
begin
  case op of
    opAdd: r := Int64(a) + b;
    opSub: r := Int64(a) - b;
    opMul: r := Int64(a) * b;
    opDiv:
      begin
        if b = 0 then Fail('Division by zero');
        if (a = Low(LongInt)) and (b = -1) then Fail('Integer overflow');
        Exit(a div b);
      end;
    opMod:
      begin
        if b = 0 then Fail('Division by zero');
        if b = -1 then Exit(0);
        Exit(a mod b);
      end;
    opShl: Exit(LongInt(LongWord(a) shl (b and 31)));
    opShr: Exit(LongInt(LongWord(a) shr (b and 31)));
    opAnd: Exit(a and b);
    opOr: Exit(a or b);
  else
    Exit(Empty);
  end;
  { Beyond 32 bits the result is a real. }
  if (r < Low(LongInt)) or (r > High(LongInt)) then
  begin
    d := r;
    Exit(d);
  end;
  Result := LongInt(r);
end;

function RealOp(op: TOp; a, b: Double): TValue;
begin
  case op of
    opAdd: Result := CheckReal(a + b);
    opSub: Result := CheckReal(a - b);
    opMul: Result := CheckReal(a * b);
  else
    if b = 0 then
    begin
      if (a = 0) or IsNan(a) then Fail('Invalid floating point operation');
      Fail('Division by zero');
    end;
    Result := CheckReal(a / b);
  end;
end;

function Binary(op: TOp; const a, b: TValue): TValue;
var
  logic, integer: Boolean;
  f: TKind;
begin
  f := Family(a, b);
  logic := op in [opAnd, opOr];
  integer := op in [opDiv, opMod, opShl, opShr];
  if (f = vkText) and (op = opAdd) then Exit(TextOf(a) + TextOf(b));
  case f of
    vkInteger:
      if op = opDivide then Result := RealOp(op, ToReal(a), ToReal(b))
      else Result := IntegerOp(op, ToInt(a), ToInt(b));
    vkText, vkReal:
      if integer or logic then Result := IntegerOp(op, ToInt(a), ToInt(b))
      else Result := RealOp(op, ToReal(a), ToReal(b));
    vkBoolean:
      if logic then
      begin
        if op = opAnd then Result := Truth(a) and Truth(b) else Result := Truth(a) or Truth(b);
      end
      else if integer then Result := IntegerOp(op, ToInt(a), ToInt(b))
      else Result := RealOp(op, ToReal(a), ToReal(b));
  else
    if op in [opDivide, opDiv, opMod] then Fail('Division by zero');
    Result := Empty;
  end;
end;

function Compare(const a, b: TValue): LongInt;
var
  x, y: Double;
begin
  case Family(a, b) of
    vkInteger: Result := CompareValue(ToInt(a), ToInt(b));
    vkReal:
      begin
        x := ToReal(a);
        y := ToReal(b);
        if x < y then Result := -1 else if y < x then Result := 1 else Result := 0;
      end;
    vkText: Result := Sign(CompareStr(TextOf(a), TextOf(b)));
    vkBoolean: Result := Ord(Truth(a)) - Ord(Truth(b));
  else
    Result := 0;
  end;
end;

operator + (const a, b: TValue) r: TValue; begin r := Binary(opAdd, a, b); end;
operator - (const a, b: TValue) r: TValue; begin r := Binary(opSub, a, b); end;
operator * (const a, b: TValue) r: TValue; begin r := Binary(opMul, a, b); end;
operator / (const a, b: TValue) r: TValue; begin r := Binary(opDivide, a, b); end;
operator div (const a, b: TValue) r: TValue; begin r := Binary(opDiv, a, b); end;
operator mod (const a, b: TValue) r: TValue; begin r := Binary(opMod, a, b); end;
operator shl (const a, b: TValue) r: TValue; begin r := Binary(opShl, a, b); end;
operator shr (const a, b: TValue) r: TValue; begin r := Binary(opShr, a, b); end;
operator and (const a, b: TValue) r: TValue; begin r := Binary(opAnd, a, b); end;
operator or (const a, b: TValue) r: TValue; begin r := Binary(opOr, a, b); end;
operator - (const a: TValue) r: TValue; begin r := Binary(opSub, 0, a); end;
operator = (const a, b: TValue) r: TValue; begin r := Compare(a, b) = 0; end;
operator <> (const a, b: TValue) r: TValue; begin r := Compare(a, b) <> 0; end;
operator < (const a, b: TValue) r: TValue; begin r := Compare(a, b) < 0; end;
operator <= (const a, b: TValue) r: TValue; begin r := Compare(a, b) <= 0; end;
operator > (const a, b: TValue) r: TValue; begin r := Compare(a, b) > 0; end;
operator >= (const a, b: TValue) r: TValue; begin r := Compare(a, b) >= 0; end;

{ not: logical on booleans, bitwise on everything else. }
operator not (const v: TValue) r: TValue;
var
  t: AnsiString;
begin
  if v.Kind = vkBoolean then Exit(not v.B);
  if v.Kind = vkText then
  begin
    t := UpperCase(Trimmed(v.S));
    if (t = 'TRUE') or (t = 'FALSE') then Exit(not Truth(v));
  end;
  r := not ToInt(v);
end;

{ Runs the program; exit status 2 after a run-time error, 3 when an answer is missing. }
function RunProgram(Main: TMain): LongInt;
begin
  SetExceptionMask([exInvalidOp, exDenormalized, exZeroDivide, exOverflow, exUnderflow, exPrecision]);
  Result := 0;
  try
    Main;
  except
    on E: EFault do
    begin
      Flush(Output);
      WriteLn(StdErr, E.Message);
      Result := 2;
    end;
    on E: ENoAnswer do Result := 3;
    on E: Exception do
    begin
      Flush(Output);
      WriteLn(StdErr, E.ClassName, ': ', E.Message);
      Result := 2;
    end;
  end;
  Flush(Output);
end;

{ write of an expression. }
procedure WriteValue(const v: TValue);
begin
  WriteLn(ToUtf8(TextOf(v)));
end;

{ The exact digits of a whole number too large for Int64 arithmetic. }
function ExactDigits(v: Double): AnsiString;
var
  m: Extended;
  e: Integer;
  k, j, carry, d: LongInt;
begin
  Frexp(System.Abs(v), m, e);
  Result := IntToStr(Int64(System.Trunc(m * 9007199254740992.0)));
  for k := 1 to e - 53 do
  begin
    carry := 0;
    for j := System.Length(Result) downto 1 do
    begin
      d := (Ord(Result[j]) - 48) * 2 + carry;
      Result[j] := Chr(48 + d mod 10);
      carry := d div 10;
    end;
    if carry > 0 then Result := Chr(48 + carry) + Result;
  end;
  if v < 0 then Result := '-' + Result;
end;

{ A value as a variable shows it: reals with four decimals, halves away from zero. }
function Shown(const v: TValue): AnsiString;
var
  scaled: Double;
begin
  case v.Kind of
    vkEmpty: Result := '?';
    vkInteger: Result := IntToStr(v.I);
    vkBoolean: if v.B then Result := 'True' else Result := '0';
    vkText: if v.S = '' then Result := '0' else Result := v.S;
  else
    if v.R = 0 then Exit('0');
    if IsNan(v.R) then Exit('NAN');
    if IsInfinite(v.R) then
    begin
      if v.R > 0 then Exit('INF') else Exit('-INF');
    end;
    scaled := v.R;
    if System.Abs(scaled) >= 9007199254740992.0 then Exit(ExactDigits(scaled) + '.0000');
    System.Str(scaled:0:4, Result);
    if (Result[1] = '-') and (StringReplace(StringReplace(Result, '-', '', [rfReplaceAll]), '0', '', [rfReplaceAll]) = '.') then
      System.Delete(Result, 1, 1);
  end;
end;

procedure WriteShown(s: AnsiString);
begin
  { Without any comma the outer parentheses go. }
  if System.Pos(',', s) = 0 then s := System.Copy(s, 2, System.Length(s) - 2);
  WriteLn(ToUtf8(s));
end;

{ write of a whole plain variable. }
procedure WriteVariable(const v: TValue); overload;
begin
  WriteShown('(' + Shown(v) + ')');
end;

function Length(const s: TValue): TValue;
begin
  Result := LongInt(System.Length(TextOf(s)));
end;

function Str(const x: TValue): TValue;
begin
  Result := IntToStr(ToInt(x));
end;

var
    s, x, m: TValue;  { every variable starts empty }

procedure Main;
var
    i, j, k, c: LongInt;
    r: Double;
    t: AnsiString;
    b: Boolean;
begin
    s := 0;
    for i := 1 to 10 do
    begin
        s := s + i * i;
    end;
    WriteVariable(s);
    t := '';
    j := 10;
    while j >= 1 do
    begin
        t := TextOf(t + Str(V(j)));
        j := j - 3;
    end;
    WriteVariable(t);
    WriteVariable(j);
    b := Length(V(t)) > 5;
    WriteVariable(b);
    r := ToReal(V(7) / 2);
    WriteVariable(r);
    WriteValue(V(r) + 0);
    x := 1;
    for k := 0 to 24 do
    begin
        x := x * 3;
    end;
    WriteVariable(x);
    c := 0;
    m := 2147483640;
    while m <= 2147483647 do
    begin
        c := ToInt(V(c * 31 + 7) mod 1009);
        m := m + 1;
    end;
    WriteVariable(c);
    WriteVariable(m);
    WriteValue(not b);
    WriteValue(-c);
end;

begin
    Halt(RunProgram(@Main));
end.
