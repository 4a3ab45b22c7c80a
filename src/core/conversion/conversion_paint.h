// The conversion panel's picture, drawn onto any canvas: the panel's screen
// bitmap, its clipboard copy and picture files all play the same drawing.
// Units are the canvas's pixels; a point of font size is 96/72 of them.
#pragma once

#include <cstdint>
#include <string>

#include "core/diagram/canvas.h"

namespace tessaro {

// The look of the picture; the defaults are the panel's.
struct TConversionStyle {
  bool DrawBackGround = true;
  TColor cfgBackgroundColor = 0xFFFFFF;
  TColor cfgCenterLineColor = 0x000000;
  int32_t cfgLineHeight = 17;
  TColor cfgTextColorLeft = 0x000000;
  TColor cfgTextColorRight = 0xFF0000;  // RGB(0, 0, 255)
  bool cfgTextBoldRight = true;
  std::string cfgTextFontName = "Courier New";
  int32_t cfgFontSize = 10;
  int32_t cfgFontSmallSize = 7;
  TColor cfgSeparatorColor = 0xFF0000;  // RGB(0, 0, 255)
  TColor cfgGridVertColor = 0xF8F8F8;   // RGB(248, 248, 248)
  // The caption above the column of remainders.
  std::string TextReszaZDzielenia;
  // Shown under input that is not a number in its base, followed by the base.
  std::string InvalidNumberText;
};

// One conversion to draw: the value as typed and its two bases, and a note
// shown in a band at the top (empty for none).
struct TConversionRequest {
  std::string Value = "7";
  int32_t SourceBase = 10;
  int32_t TargetBase = 2;
  std::string Note;
};

// Draws the conversion within `area` (its width centres and wraps the
// figure; a tall figure continues below its bottom). Bases outside 2..32
// draw only the background and the note.
void PaintConversion(Canvas& canvas, const TConversionStyle& style, const TConversionRequest& request,
                     const TRect& area);

}  // namespace tessaro
