#include "core/codegen/pascal_prelude.h"

#include <algorithm>

namespace tessaro::codegen {

// Named per language: the other languages' preludes use the same names.
namespace pascal_prelude {
namespace {

struct Section {
  std::string_view name;
  std::string_view needs;
  std::string_view text;
};

constexpr std::string_view kCore = R"PAS(uses
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
)PAS";

constexpr std::string_view kArrays = R"PAS(
type
  TCell = class
    Value: TValue;
    Kids: array of TCell;
    function Child(k: LongInt): TCell;
  end;

  { A variable with elements: 1-based indexes, any number of them, growing on use. }
  TArr = class
    Root: TCell;
    constructor Create;
    function Cell(const Indexes: array of TValue): TCell;
    function GetItem(const Index: TValue): TValue;
    procedure SetItem(const Index: TValue; const Value: TValue);
    { Get([i, j]) and Put([i, j], x): the elements of more than one index. }
    function Get(const Indexes: array of TValue): TValue;
    procedure Put(const Indexes: array of TValue; const Value: TValue);
    procedure Dim(const Sizes: array of LongInt);
    procedure SetTuple(const Tuple: AnsiString);
    property Items[const Index: TValue]: TValue read GetItem write SetItem; default;
  end;

function TCell.Child(k: LongInt): TCell;
var
  n, j: LongInt;
begin
  n := System.Length(Kids);
  if n < k then
  begin
    SetLength(Kids, k);
    for j := n to k - 1 do
    begin
      Kids[j] := TCell.Create;
      Kids[j].Value := Empty;
    end;
  end;
  Result := Kids[k - 1];
end;

constructor TArr.Create;
begin
  Root := TCell.Create;
  Root.Value := Empty;
  Root.Child(1);
end;

function TArr.Cell(const Indexes: array of TValue): TCell;
var
  path: array of LongInt;
  k: LongInt;
begin
  if System.Length(Indexes) = 0 then Fail('Index out of range');
  SetLength(path, System.Length(Indexes));
  for k := 0 to High(Indexes) do path[k] := ToInt(Indexes[k]);
  for k := 0 to High(path) do
    if path[k] < 1 then Fail('Index out of range');
  Result := Root;
  for k := 0 to High(path) do Result := Result.Child(path[k]);
end;

function TArr.GetItem(const Index: TValue): TValue; begin Result := Cell([Index]).Value; end;
procedure TArr.SetItem(const Index: TValue; const Value: TValue); begin Cell([Index]).Value := Value; end;
function TArr.Get(const Indexes: array of TValue): TValue; begin Result := Cell(Indexes).Value; end;
procedure TArr.Put(const Indexes: array of TValue; const Value: TValue); begin Cell(Indexes).Value := Value; end;

procedure ResetCells(c: TCell; const Sizes: array of LongInt; Level: LongInt);
var
  k: LongInt;
begin
  if Level > High(Sizes) then
  begin
    c.Value := Empty;
    Exit;
  end;
  for k := 1 to Sizes[Level] do ResetCells(c.Child(k), Sizes, Level + 1);
end;

procedure TArr.Dim(const Sizes: array of LongInt);
var
  k: LongInt;
begin
  for k := 0 to High(Sizes) do
    if Sizes[k] < 1 then Fail('Index out of range');
  ResetCells(Root, Sizes, 0);
end;

{ The literal a token of a tuple denotes; empty when it is none. }
function Classify(const Token: AnsiString): TValue;
var
  i: LongInt;
  r: Double;
  t: AnsiString;
begin
  if (Token <> '') and (Token[1] in ['''', '"']) then Exit(System.Copy(Token, 2, System.Length(Token) - 2));
  if (Token <> '') and not (Token[1] in ['x', 'X']) and (Trimmed(Token) = Token) and ParseInt(Token, i) then Exit(i);
  t := Token;
  if (t <> '') and (t[1] = '.') then t := '0' + t;
  if (System.Pos(',', t) = 0) and ParseReal(t, r) then Exit(r);
  if UpperCase(Token) = 'TRUE' then Exit(True);
  if UpperCase(Token) = 'FALSE' then Exit(False);
  Result := Empty;
end;

{ Assigns the literals of a tuple such as ((1,2),(3,'a')) to the elements of Arr. }
procedure AssignTuple(Arr: TArr; const Tuple: AnsiString);
var
  opened, closed, depth, quotes, k, j: LongInt;
  quoted, nested, comma: Boolean;
  prepared, token: AnsiString;
  path: array of LongInt;
  indexes: array of TValue;
  c: Char;
  v: TValue;
begin
  opened := 0; closed := 0; depth := 0;
  quoted := False; nested := True;
  for k := 1 to System.Length(Tuple) do
  begin
    c := Tuple[k];
    if c = '(' then Inc(opened);
    if c = ')' then begin Inc(closed); if closed > opened then nested := False; end;
    if c = '''' then quoted := not quoted
    else if not quoted and (c = '(') then Inc(depth)
    else if not quoted and (c = ')') then begin Dec(depth); if depth < 0 then nested := False; end;
  end;
  if not nested or (opened <> closed) then Fail('Unbalanced parentheses');
  prepared := '';
  quoted := False;
  k := 1;
  while k <= System.Length(Tuple) do
  begin
    c := Tuple[k];
    if c = '''' then quoted := not quoted;
    if (c = #13) and (k < System.Length(Tuple)) and (Tuple[k + 1] = #10) then Inc(k)
    else if (c <> ' ') or quoted then prepared := prepared + c;
    Inc(k);
  end;
  quotes := 0; depth := 0; token := '';
  SetLength(path, 0);
  for k := 1 to System.Length(prepared) do
  begin
    c := prepared[k];
    if c = '''' then begin Inc(quotes); token := token + c; end
    else if quotes mod 2 = 1 then token := token + c
    else if c = '(' then
    begin
      Inc(depth);
      while System.Length(path) < depth do
      begin
        SetLength(path, System.Length(path) + 1);
        path[High(path)] := 1;
      end;
    end
    else if (c = ')') or (c = ',') then
    begin
      comma := c = ',';
      if not comma then Dec(depth);
      if comma and (depth < 1) then Fail('Wrong tuple');
      if token <> '' then
      begin
        v := Classify(token);
        if v.Kind = vkEmpty then Fail('Not a value: ' + token);
        SetLength(indexes, System.Length(path));
        for j := 0 to High(path) do indexes[j] := path[j];
        Arr.Cell(indexes).Value := v;
      end;
      if comma then Inc(path[depth - 1]) else path[depth] := 1;
      token := '';
    end
    else token := token + c;
  end;
end;

procedure TArr.SetTuple(const Tuple: AnsiString); begin AssignTuple(Self, FromUtf8(Tuple)); end;
)PAS";

constexpr std::string_view kRead = R"PAS(
{ One answer, a line of the input; none ends the program. }
function ReadText: TValue;
var
  line: AnsiString;
begin
  line := '';
  if not Eof(Input) then ReadLn(Input, line);
  if (line <> '') and (line[System.Length(line)] = #13) then System.Delete(line, System.Length(line), 1);
  if line = '' then raise ENoAnswer.Create('');
  Result := FromUtf8(line);
end;

{ read of a whole variable: the answer is a tuple, its parentheses optional. }
procedure ReadInto(Arr: TArr);
var
  answer: AnsiString;
begin
  answer := ReadText.S;
  if answer[1] <> '(' then answer := '(' + answer;
  if answer[System.Length(answer)] <> ')' then answer := answer + ')';
  AssignTuple(Arr, answer);
end;

{ read of a plain variable: its value after the answer is assigned to it. }
function ReadValue(const Old: TValue): TValue;
var
  arr: TArr;
begin
  arr := TArr.Create;
  arr.Root.Kids[0].Value := Old;
  ReadInto(arr);
  Result := arr.Root.Kids[0].Value;
end;
)PAS";

constexpr std::string_view kWrite = R"PAS(
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
)PAS";

constexpr std::string_view kWriteArray = R"PAS(
procedure AppendCell(c: TCell; var s: AnsiString);
var
  k: LongInt;
begin
  if System.Length(c.Kids) = 0 then
  begin
    s := s + Shown(c.Value);
    Exit;
  end;
  s := s + '(';
  for k := 0 to High(c.Kids) do
  begin
    if k > 0 then s := s + ',';
    AppendCell(c.Kids[k], s);
  end;
  s := s + ')';
end;

{ write of a whole variable with elements: a tuple. }
procedure WriteVariable(Arr: TArr); overload;
var
  s: AnsiString;
begin
  s := '';
  AppendCell(Arr.Root, s);
  WriteShown(s);
end;
)PAS";

constexpr std::string_view kReal = R"PAS(
function Reciprocal(x: Double): Double;
begin
  if x = 0 then Fail('Division by zero');
  Result := 1 / x;
end;

function Logarithm(x, BaseLog: Double): Double;
begin
  if not (x > 0) then Fail('Invalid floating point operation');
  Result := System.Ln(x) / BaseLog;
end;
)PAS";

#define TS_REAL1(NAME, EXPR) \
  {#NAME, "real", "\nfunction " #NAME "(const a: TValue): TValue;\nvar\n  x: Double;\nbegin\n  x := ToReal(a);\n  Result := CheckReal(" EXPR ");\nend;\n"}

constexpr Section kSections[] = {
    {"arrays", "", kArrays},
    {"read", "arrays", kRead},
    {"write", "", kWrite},
    {"writearrays", "arrays", kWriteArray},
    {"real", "", kReal},
    {"Random", "", R"PAS(
{ Random draws what the interpreter draws (a Mersenne twister): with
  TESSARO_SEED=N in the environment the numbers of tessaro-cli run --seed N. }
var
  Twister: array[0..623] of LongWord;
  TwisterIndex: LongInt = -1;

function NextRandom: LongWord;
var
  k: LongInt;
  y: LongWord;
  seed: AnsiString;
begin
  if TwisterIndex < 0 then
  begin
    seed := GetEnvironmentVariable('TESSARO_SEED');
    if seed <> '' then
      Twister[0] := LongWord(StrToInt64(Trim(seed)))
    else
    begin
      System.Randomize;
      Twister[0] := LongWord(System.Random($7FFFFFFF));
    end;
    for k := 1 to 623 do
      Twister[k] := LongWord(Int64(1812433253) * (Twister[k - 1] xor (Twister[k - 1] shr 30)) + k);
    TwisterIndex := 624;
  end;
  if TwisterIndex >= 624 then
  begin
    for k := 0 to 623 do
    begin
      y := (Twister[k] and $80000000) or (Twister[(k + 1) mod 624] and $7FFFFFFF);
      Twister[k] := Twister[(k + 397) mod 624] xor (y shr 1);
      if (y and 1) <> 0 then Twister[k] := Twister[k] xor $9908B0DF;
    end;
    TwisterIndex := 0;
  end;
  y := Twister[TwisterIndex];
  Inc(TwisterIndex);
  y := y xor (y shr 11);
  y := y xor (LongWord(y shl 7) and $9D2C5680);
  y := y xor (LongWord(y shl 15) and $EFC60000);
  y := y xor (y shr 18);
  Result := y;
end;

{ In [0, range) for a positive range, (range, 0] for a negative one. }
function RandomBelow(range: LongInt): LongInt;
begin
  Result := LongInt(SarInt64(Int64(NextRandom) * range, 32));
end;

function Random(const a: TValue): TValue; overload;
begin
  Result := RandomBelow(ToInt(a));
end;

function Random(const a, b: TValue): TValue; overload;
begin
  Result := a + RandomBelow(RoundInt(ToReal(b) - ToReal(a)));
end;
)PAS"},
    TS_REAL1(ArcCos, "Math.ArcCos(x)"),
    TS_REAL1(ArcCosh, "Math.ArcCosh(x)"),
    TS_REAL1(ArcCtg, "System.ArcTan(Reciprocal(x))"),
    TS_REAL1(ArcCtgH, "Math.ArcTanh(Reciprocal(x))"),
    TS_REAL1(ArcCsc, "Math.ArcSin(Reciprocal(x))"),
    TS_REAL1(ArcCscH, "Math.ArcSinh(Reciprocal(x))"),
    TS_REAL1(ArcSec, "Math.ArcCos(Reciprocal(x))"),
    TS_REAL1(ArcSecH, "Math.ArcCosh(Reciprocal(x))"),
    TS_REAL1(ArcSin, "Math.ArcSin(x)"),
    TS_REAL1(ArcSinh, "Math.ArcSinh(x)"),
    TS_REAL1(ArcTan, "System.ArcTan(x)"),
    {"ArcTan2", "real", "\nfunction ArcTan2(const y, x: TValue): TValue;\nbegin\n  Result := CheckReal(Math.ArcTan2(ToReal(y), ToReal(x)));\nend;\n"},
    TS_REAL1(ArcTanh, "Math.ArcTanh(x)"),
    TS_REAL1(Cos, "System.Cos(x)"),
    TS_REAL1(Cosecant, "Reciprocal(System.Sin(x))"),
    TS_REAL1(Cosh, "Math.Cosh(x)"),
    TS_REAL1(Cot, "Reciprocal(Math.Tan(x))"),
    TS_REAL1(Cotan, "Reciprocal(Math.Tan(x))"),
    TS_REAL1(CotH, "Reciprocal(Math.Tanh(x))"),
    TS_REAL1(Csc, "Reciprocal(System.Sin(x))"),
    TS_REAL1(CscH, "Reciprocal(Math.Sinh(x))"),
    {"Hypot", "real", "\nfunction Hypot(const x, y: TValue): TValue;\nbegin\n  Result := CheckReal(Math.Hypot(ToReal(x), ToReal(y)));\nend;\n"},
    TS_REAL1(Sec, "Reciprocal(System.Cos(x))"),
    TS_REAL1(Secant, "Reciprocal(System.Cos(x))"),
    TS_REAL1(SecH, "Reciprocal(Math.Cosh(x))"),
    TS_REAL1(Sin, "System.Sin(x)"),
    TS_REAL1(Sinh, "Math.Sinh(x)"),
    TS_REAL1(Tan, "Math.Tan(x)"),
    TS_REAL1(Tanh, "Math.Tanh(x)"),
    TS_REAL1(Sqrt, "System.Sqrt(x)"),
    TS_REAL1(Sqr, "x * x"),
    {"Length", "", "\nfunction Length(const s: TValue): TValue;\nbegin\n  Result := LongInt(System.Length(TextOf(s)));\nend;\n"},
    {"Copy", "", R"PAS(
{ Count characters of s from position Index (1-based). }
function Copy(const s, Index, Count: TValue): TValue;
var
  t: AnsiString;
  i, n: Int64;
begin
  t := TextOf(s);
  i := ToInt(Index);
  n := ToInt(Count);
  if i < 1 then i := 1;
  if (i > System.Length(t)) or (n <= 0) then Exit('');
  Result := System.Copy(t, i, n);
end;
)PAS"},
    {"Pos", "", R"PAS(
{ The 1-based position of Needle in s, 0 when it is not there. }
function Pos(const Needle, s: TValue): TValue;
begin
  if TextOf(Needle) = '' then Exit(0);
  Result := LongInt(System.Pos(TextOf(Needle), TextOf(s)));
end;
)PAS"},
    {"Insert", "", R"PAS(
function Insert(const Needle, s, Index: TValue): TValue;
var
  t: AnsiString;
  i: Int64;
begin
  t := TextOf(s);
  i := ToInt(Index);
  if i < 1 then i := 1;
  if i > System.Length(t) then i := System.Length(t) + 1;
  System.Insert(TextOf(Needle), t, i);
  Result := t;
end;
)PAS"},
    {"Delete", "", R"PAS(
function Delete(const s, Index, Count: TValue): TValue;
var
  t: AnsiString;
  i, n: Int64;
begin
  t := TextOf(s);
  i := ToInt(Index);
  n := ToInt(Count);
  if (i >= 1) and (i <= System.Length(t)) and (n > 0) then System.Delete(t, i, n);
  Result := t;
end;
)PAS"},
    {"Str", "", "\nfunction Str(const x: TValue): TValue;\nbegin\n  Result := IntToStr(ToInt(x));\nend;\n"},
    {"Val", "", "\nfunction Val(const x: TValue): TValue;\nbegin\n  Result := IntToStr(ToInt(x));\nend;\n"},
    TS_REAL1(Abs, "System.Abs(x)"),
    TS_REAL1(Ln, "Logarithm(x, 1.0)"),
    TS_REAL1(Log2, "Logarithm(x, System.Ln(2.0))"),
    TS_REAL1(Log10, "Logarithm(x, System.Ln(10.0))"),
    {"LogN", "real", R"PAS(
function LogN(const Base, x: TValue): TValue;
var
  b: Double;
begin
  b := ToReal(Base);
  if not (b > 0) or (b = 1) then Fail('Invalid floating point operation');
  Result := CheckReal(Logarithm(ToReal(x), System.Ln(b)));
end;
)PAS"},
    TS_REAL1(Exp, "System.Exp(x)"),
    {"Power", "real", "\nfunction Power(const x, y: TValue): TValue;\nbegin\n  Result := CheckReal(Math.Power(ToReal(x), ToReal(y)));\nend;\n"},
    {"low32", "", R"PAS(
function Low32(r: Double): LongInt;
begin
  if IsNan(r) or (System.Abs(r) >= 9223372036854775808.0) then Fail('Invalid floating point operation');
  Result := LongInt(Int64(System.Trunc(r)));
end;
)PAS"},
    {"Round", "low32", "\n{ Rounds half to even; keeps the low 32 bits. }\nfunction Round(const x: TValue): TValue;\nvar\n  r: Double;\nbegin\n  r := ToReal(x);\n  Low32(r);\n  Result := LongInt(System.Round(r));\nend;\n"},
    {"Trunc", "low32", "\n{ Cuts off the fraction; keeps the low 32 bits. }\nfunction Trunc(const x: TValue): TValue;\nbegin\n  Result := Low32(System.Int(ToReal(x)));\nend;\n"},
};

#undef TS_REAL1

}  // namespace
}  // namespace pascal_prelude

std::string PascalPrelude(const std::vector<std::string>& wanted) {
  std::vector<std::string_view> names(wanted.begin(), wanted.end());
  for (size_t i = 0; i < names.size(); ++i) {
    for (const auto& s : pascal_prelude::kSections) {
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
  std::string out(pascal_prelude::kCore);
  for (const auto& s : pascal_prelude::kSections) {
    if (std::find(names.begin(), names.end(), s.name) != names.end()) out += s.text;
  }
  return out;
}

bool PascalHasBuiltin(std::string_view name) {
  for (const auto& s : pascal_prelude::kSections) {
    if (s.name == name) return true;
  }
  return false;
}

const std::vector<std::string_view>& PascalPreludeNames() {
  static const std::vector<std::string_view> names = [] {
    std::vector<std::string_view> n = {
        "SysUtils", "Math", "System", "Cp1250High", "FromUtf8", "ToUtf8", "EFault", "ENoAnswer", "TKind", "TValue", "TOp", "Empty", "V", "Fail",
        "CheckReal", "Trimmed", "ParseInt", "ParseReal", "ParseNumber", "RoundInt", "ToInt", "ToReal", "Truth",
        "FormatReal", "TextOf", "Text", "Evaluate", "TMain", "Family", "IntegerOp", "RealOp", "Binary", "Compare", "RunProgram", "TCell",
        "TArr", "ResetCells", "Classify", "AssignTuple", "ReadText", "ReadInto", "ReadValue", "WriteValue",
        "Shown", "WriteShown", "WriteVariable", "Twister", "TwisterIndex", "NextRandom", "RandomBelow", "AppendCell", "Reciprocal", "Logarithm", "Low32", "Main",
        "Result", "Exit", "Halt", "Input", "Output", "StdErr", "Write", "WriteLn", "Read", "ReadLn", "Inc",
        "Dec", "Ord", "Chr", "High", "Low", "SetLength", "Integer", "LongInt", "Int64", "Double", "Boolean",
        "AnsiString", "String", "Char", "Byte", "True", "False", "Exception", "Self"};
    for (const auto& s : pascal_prelude::kSections) n.push_back(s.name);
    return n;
  }();
  return names;
}

}  // namespace tessaro::codegen
