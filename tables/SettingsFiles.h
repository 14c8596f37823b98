#pragma once

#include <string>

#include "engine/FieldSplitter.h"
#include "engine/ReplacementTable.h"

inline constexpr char kPointerFileName[] = "Vosk.ini";
inline constexpr char kTableSeparator[] = " ---> ";
// More than any real table holds, ten rows of very long texts included: a larger file was chosen
// by mistake, or never ends.
inline constexpr size_t kMaxTableBytes = 1 << 20;

// The table file: ten lines "before ---> after" with CR LF; the pointer file "Vosk.ini": the
// table file's full path with no line end. Every function throws CFileException on failure. A file
// is written whole in place of the old one, which a failed write leaves as it was; a name that is
// a symbolic link stays one, to the rewritten file.

// The first line of "Vosk.ini" in the current directory; one longer than any path is a failure.
std::string ReadPointerFile();
void WritePointerFile(const std::string& tablePath);

// Reads rows 1 to 10 in order, and the match options from an eleventh line "#options ..."
// (defaults without one). A line is cut at its first separator (no separator: an empty after
// text); past the end of the file rows become empty. When reading fails, the rows read before
// keep their new texts and the others their old ones; an options line with a word it cannot take
// (cause badFormat) leaves the table as it was, since running it otherwise than meant could
// damage a drawing.
void ReadTableFile(const std::string& path, ReplacementTable& table, FieldSplitter& splitter);
// Options other than the defaults go on an eleventh line; a table with the defaults has ten.
void WriteTableFile(const std::string& path, const ReplacementTable& table);
