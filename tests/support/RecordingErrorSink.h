#pragma once

#include <vector>

#include "engine/FileErrorSink.h"

class CRecordingErrorSink : public CFileErrorSink {
public:
    void ReportFileError(const CFileException& error) override { errors.push_back(error); }
    std::vector<CFileException> errors;
};
