#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/FileErrorSink.h"
#include "engine/ReplacementCounts.h"
#include "engine/ReplacementTable.h"

inline constexpr char kInputFileName[] = "temp.txt";
inline constexpr char kOutputFileName[] = "jwc_temp.txt";

// The one document: the run parameter, the drawing's texts shown on the form, and the scratch
// fields of the multi-line layout. It stands for no file. Its title lives in the window system.
class CVosk1Doc {
public:
    // Takes the run parameter from the first command-line argument after the program name;
    // an empty or absent one gives "/P1".
    void OnNewDocument(std::string_view firstArgument);

    // Reads "temp.txt" and writes "jwc_temp.txt" in the current directory with the table's
    // replacements. "jwc_temp.txt" appears only whole: any failure, reading or writing, throws
    // (CFileException, or std::bad_alloc) and leaves no "jwc_temp.txt", not even an earlier one.
    void RunReplacementPass(const ReplacementTable& table);

    // Rebuilds m_strPreview and m_mapTextCounts from the texts of "temp.txt", in one reading;
    // errors are reported to errors.
    void CollectTexts(CFileErrorSink& errors);

    // The record of line k of the multi-line replacement being laid out; for k > 0 it first
    // moves m_dValue[1], m_dValue[2] one line pitch on.
    std::string BuildLineRecord(size_t k, double heightPitch, double widthPitch, double length);

    std::string m_strPreview;            // each text followed by "\r\n"
    TextCounts m_mapTextCounts;          // the texts of m_strPreview
    std::string m_strParam;              // for example "/P1"
    std::string m_strField[10];          // kind, x, y, dx, dy of the record being laid out
    std::vector<std::string> m_strLine;  // the lines of the replacement being laid out
    double m_dValue[5] = {};             // [1] x, [2] y, [3] dx, [4] dy; [0] unused
};
