#pragma once

#include "base/FileException.h"

// Where the engine reports a file error that it has handled and gone on from: the window program
// shows a message box, the batch command prints a line.
class CFileErrorSink {
public:
    virtual ~CFileErrorSink() = default;
    virtual void ReportFileError(const CFileException& error) = 0;
};
