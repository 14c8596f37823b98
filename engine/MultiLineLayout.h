#pragma once

#include <string>

#include "base/TextWriter.h"
#include "engine/ExchangeState.h"
#include "engine/FieldSplitter.h"
#include "engine/Vosk1Doc.h"

// The number the run parameter gives after its first two characters ("/P2.5" gives 2.5).
double PitchFactor(const std::string& runParameter);

// Writes one text record per line of afterText (lines separated by "//") in place of the record
// whose header is given, each one line pitch on from the one before.
void ExpandMultiLine(CVosk1Doc& doc, FieldSplitter& splitter, std::string_view header,
                     std::string_view afterText, const ExchangeState& state, CTextWriter& output);
