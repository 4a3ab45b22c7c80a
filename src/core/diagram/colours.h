// The fixed colours of the diagram drawing (0x00BBGGRR).
#pragma once

#include "core/document/model.h"

namespace tessaro::colours {

constexpr TColor kBlue = 0xFF0000;       // selection, handles, "Ctrl" and "Shift"
constexpr TColor kGreen = 0x008000;      // current instruction
constexpr TColor kRed = 0x0000FF;        // selected error
constexpr TColor kLightBlue = 0xF0AA28;  // selected warning or instruction, pseudocode mark
constexpr TColor kSilver = 0xC0C0C0;     // note and unknown-kind outlines
constexpr TColor kGrey = 0x808080;       // node cross, dotted selection outline, arrow halo
constexpr TColor kWhite = 0xFFFFFF;
constexpr TColor kBlack = 0;
constexpr TColor kNoteArrowFill = 0xE0F1EF;

}  // namespace tessaro::colours
