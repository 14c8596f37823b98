#pragma once

#include <string_view>

#include "engine/FileErrorSink.h"
#include "engine/Vosk1Doc.h"
#include "framework/StdioFile.h"

// Hands every run of lines of "temp.txt", as CStdioFile::ReadLines returns them, to handleRun.
// A file error, whether reading the input or raised by handleRun, ends the reading and goes to
// errors.
template <typename HandleRun>
void ForEachInputRun(FileErrorSink& errors, HandleRun handleRun) {
    try {
        CStdioFile input(kInputFileName, CStdioFile::Mode::read);
        std::string_view lines;
        while (input.ReadLines(lines)) {
            handleRun(lines);
        }
        input.Close();
    } catch (const CFileException& error) {
        errors.ReportFileError(error);
    }
}

// As ForEachInputRun, line by line.
template <typename HandleLine>
void ForEachInputLine(FileErrorSink& errors, HandleLine handleLine) {
    ForEachInputRun(errors, [&](std::string_view run) {
        ForEachLine(run, [&](const TextLine& line) { handleLine(line.text); });
    });
}
