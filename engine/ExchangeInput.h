#pragma once

#include <string_view>

#include "engine/FileErrorSink.h"
#include "engine/Vosk1Doc.h"
#include "framework/StdioFile.h"

// Hands every line of "temp.txt", and the file it was read from, to handleLine. A file error,
// whether reading the input or raised by handleLine, ends the reading and goes to errors.
template <typename HandleLine>
void ForEachInputLine(FileErrorSink& errors, HandleLine handleLine) {
    try {
        CStdioFile input(kInputFileName, CStdioFile::Mode::read);
        std::string_view line;
        while (input.ReadLine(line)) {
            handleLine(line, input);
        }
        input.Close();
    } catch (const CFileException& error) {
        errors.ReportFileError(error);
    }
}
