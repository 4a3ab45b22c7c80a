// Small algorithm streams built by hand for the reader tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/document/byte_writer.h"
#include "core/document/model.h"

namespace tessaro::test {

// One record of the fixed-record formats.
struct LegacyFields {
  int32_t blok;
  std::string kod;
  int32_t link1 = -1;
  int32_t link2 = -1;
  uint8_t nie_tak = 1;
};

// A stream of the fixed-record formats: magic, N, then 288-byte records. The
// unused room of each short string is filled with 'Z', which must not show.
inline std::vector<uint8_t> LegacyStream(uint32_t magic, const std::vector<LegacyFields>& records) {
  ByteWriter w;
  w.UInt32(magic);
  w.Int32(static_cast<int32_t>(records.size()));
  int32_t i = 0;
  for (const LegacyFields& r : records) {
    w.Int32(10 * i);   // Left
    w.Int32(-20 * i);  // Top
    w.Int32(80);       // Width
    w.Int32(40 + i);   // Height
    w.Int32(r.blok);
    w.Byte(static_cast<uint8_t>(r.kod.size()));
    std::string room = r.kod + std::string(255 - r.kod.size(), 'Z');
    for (char c : room) w.Byte(static_cast<uint8_t>(c));
    w.Int32(r.link1);
    w.Int32(r.link2);
    w.Byte(r.nie_tak);
    w.Byte(0xAA);  // padding
    w.Byte(0xAA);
    w.Byte(0xAA);
    ++i;
  }
  return w.bytes();
}

// Two elements whose every field differs from the defaults.
inline std::vector<Tobj> SampleDiagram() {
  Tobj a;
  a.Left = -15;
  a.Top = 2000000000;
  a.Width = 120;
  a.Height = 44;
  a.Blok = Warunek;
  a.Styl.KolorWypelnienia = 0x00123456;
  a.Styl.KolorObrysu = 0x00654321;
  a.Styl.KolorTekstu = 0x000000FF;
  a.Styl.Flagi[0] = 7;
  a.Styl.Flagi[1] = 0;
  a.Styl.Flagi[2] = 255;
  a.Styl.NazwaCzcionki = "Arial Ce";
  a.Styl.RozmiarCzcionki = 11;
  a.Kod = "x \xB3\xB9" "cznie > 3\r\ny";
  a.Link1 = 1;
  a.Link2 = 0;
  a.NieTak = 0;
  Tobj b;
  b.Left = 0;
  b.Top = -1;
  b.Width = 0;
  b.Height = 0;
  b.Blok = 9;  // no such kind: kept as it is
  b.Styl.NazwaCzcionki = "";
  b.Styl.RozmiarCzcionki = -3;
  b.Kod = "";
  b.Link1 = 77;
  b.Link2 = -1;
  b.NieTak = 2;
  return {a, b};
}

}  // namespace tessaro::test
