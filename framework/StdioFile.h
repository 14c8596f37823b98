#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "framework/FileException.h"

// A buffered text file with the same text mode on every platform:
// reading, a line ends at LF, a CR directly before the LF goes with it, a lone CR stays in the
// line, and a byte 0x1A ends the input; writing, every "\n" goes out as CR LF.
// Every failure throws CFileException.
class CStdioFile {
public:
    enum class Mode { read, write };  // write creates the file or empties an existing one

    CStdioFile() = default;
    CStdioFile(const std::string& name, Mode mode) { Open(name, mode); }
    CStdioFile(const CStdioFile&) = delete;
    CStdioFile& operator=(const CStdioFile&) = delete;
    ~CStdioFile();  // closes without reporting: call Close to learn whether the data reached the
                    // file

    void Open(const std::string& name, Mode mode);

    // The next line without its line end; false, with the line empty, once the input has ended.
    bool ReadString(std::string& line);
    void WriteString(std::string_view text);
    void Close();

    bool IsOpen() const { return m_file != nullptr; }
    const std::string& GetFilePath() const { return m_strFilePath; }

private:
    bool FillBuffer();
    void FlushBuffer();
    [[noreturn]] void Fail(CFileException::Operation operation, int error);

    std::FILE* m_file = nullptr;
    Mode m_mode = Mode::read;
    std::string m_strFilePath;
    std::unique_ptr<char[]> m_buffer;
    size_t m_begin = 0;  // reading: first unread byte; writing: unused
    size_t m_end = 0;    // reading: end of valid data; writing: bytes waiting to be written
    bool m_bInputEnded = false;
};
