#pragma once
// Texts of the station model as the net list window and the command line show them.
#include <cstdint>
#include <string>

#include "config/enumerations.h"
#include "config/net_list_schalter.h"
#include "config/net_list_segment.h"

namespace trivex {

// The number a binary input is written and shown with: a ZYR-DM input code
// (board - 1) * 16 + input as board * 100 + input (code 35 -> 303, code 16 -> 116); other
// inputs as they are.
int BinaryInputShown(TSystemType type, int input);
// The input code of a ZYR-DM binary input written as board * 100 + input (board 1..8,
// input 1..16); 0 when the number is not such an input.
int DmBinaryInputCode(int shown);

// The tags of a segment as letters: "U" voltage measured, "B" busbar, "I" current measured.
std::string SegmentTagsText(uint16_t tags);
// "id<TAB>tags<TAB>measurement": the measuring relay with "Une%d", "Io%d" or "U%d/I%d".
std::string SegmentEntryText(const TSegment& segment);
// "id<TAB>segment1-segment2<TAB>source": relay and "BI%2.2d", "I&C:BI%3.3d" for a virtual
// input, or the fixed position.
std::string SwitchEntryText(TSystemType type, const TSchalter& s);
// The position source alone (the part after the second TAB).
std::string SwitchSourceText(TSystemType type, const TSchalter& s);

}  // namespace trivex
