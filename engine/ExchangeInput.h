#pragma once

#include <string_view>

#include "base/TextReader.h"
#include "engine/ExchangeState.h"
#include "engine/FileErrorSink.h"
#include "engine/Vosk1Doc.h"

// Hands every run of lines of "temp.txt", as CTextReader::ReadLines returns them, to handleRun.
// Throws CFileException when reading fails.
template <typename HandleRun>
void ReadInputRuns(HandleRun handleRun) {
    CTextReader input(kInputFileName);
    std::string_view lines;
    while (input.ReadLines(lines)) {
        handleRun(lines);
    }
    input.Close();
}

// Hands the text of every text record of "temp.txt" to handleText, in the order of the file. A
// file error, whether reading the input or raised by handleText, ends the reading and goes to
// errors.
template <typename HandleText>
void ForEachDrawingText(CFileErrorSink& errors, HandleText handleText) {
    try {
        ReadInputRuns([&](std::string_view run) {
            ForEachLine(run, [&](const TextLine& line) {
                if (IsTextRecord(line.text)) {
                    handleText(SplitTextRecord(line.text).text);
                }
            });
        });
    } catch (const CFileException& error) {
        errors.ReportFileError(error);
    }
}
