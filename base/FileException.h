#pragma once

#include <cstddef>
#include <exception>
#include <string>

// A failed open, read, write or close of a file. The name is the one given to the open when the
// open failed, and the file's full path otherwise. Names are Shift-JIS bytes.
class CFileException : public std::exception {
public:
    enum class Cause {
        generic,
        fileNotFound,
        badPath,
        accessDenied,
        isDirectory,  // a directory stands where a file is expected
        diskFull,
        hardIO,
        badFormat,  // the file holds what it may not: m_nLine and m_strDetail say where and what
        tooLarge,   // the file is longer than m_nLimit bytes, more than any it may be
    };
    enum class Operation { open, read, write, close };

    CFileException(Cause cause, Operation operation, std::string fileName, int osError = 0)
        : m_cause(cause),
          m_operation(operation),
          m_strFileName(std::move(fileName)),
          m_osError(osError) {}

    const char* what() const noexcept override { return "file error"; }

    Cause m_cause;
    Operation m_operation;
    std::string m_strFileName;
    int m_osError;            // errno of the failing call, or 0
    size_t m_nLine = 0;       // badFormat: the line, from 1
    std::string m_strDetail;  // badFormat: the offending word, as read
    size_t m_nLimit = 0;      // tooLarge: the most bytes the file may have
};

// The cause that a C runtime errno value stands for, the same on every platform.
CFileException::Cause FileErrorCauseFromErrno(int error);
