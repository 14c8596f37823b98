#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/BackgroundThread.h"
#include "base/FileException.h"
#include "base/TextLines.h"

// A buffered text file with the same text mode on every platform:
// reading, a line ends at LF, a CR directly before the LF goes with it, a lone CR stays in the
// line, and a byte 0x1A ends the input; writing, every "\n" goes out as CR LF.
// A file larger than a first small chunk is read ahead, or written behind, on a thread of its
// own. Every failure throws CFileException, from the call that reads, writes past a full buffer
// or closes after it.
class CStdioFile {
public:
    // write creates the file or empties an existing one. replace writes a file under a
    // temporary name beside it, which Close puts in its place once every byte is written: until
    // then, and after any failure, the file is as it was, and the temporary one is removed.
    enum class Mode { read, write, replace };

    CStdioFile() = default;
    CStdioFile(const std::string& name, Mode mode) { Open(name, mode); }
    CStdioFile(const CStdioFile&) = delete;
    CStdioFile& operator=(const CStdioFile&) = delete;
    ~CStdioFile();  // closes without reporting: call Close to learn whether the data reached the
                    // file

    void Open(const std::string& name, Mode mode);

    // The next line without its line end; false, with the line empty, once the input has ended.
    bool ReadString(std::string& line);
    // Reading stops with a failure, cause badPath, at a line longer than this many bytes.
    void LimitLineLength(size_t maxBytes) { m_maxLineLength = maxBytes; }
    // As ReadString, without a copy: the line stays valid until the next read.
    bool ReadLine(std::string_view& line);
    // The next run of whole lines as they stand in the file, line ends included (the last line
    // of the input may have none), for ForEachLine to cut; false once the input has ended.
    // The run stays valid until the next read.
    bool ReadLines(std::string_view& lines);
    void WriteString(std::string_view text);
    // WriteString of the text and a line end.
    void WriteLine(std::string_view text);
    // Writes bytes as they stand, for lines read by ReadLines that end in CR LF.
    void WriteRaw(std::string_view bytes);
    void Close();

    bool IsOpen() const { return m_file != nullptr; }
    const std::string& GetFilePath() const { return m_strFilePath; }

private:
    void Abandon();
    void StartBackgroundIo();
    void RunIo(std::function<void()> job);
    void WaitForIo(CFileException::Operation operation);
    void ReadAhead();
    bool ReadMore();
    void PlaceUnreturnedBeforeChunk();
    void FlushBuffer();
    [[noreturn]] static void FailToOpen(const std::string& name, int error);
    [[noreturn]] void Fail(CFileException::Operation operation, int error);

    std::FILE* m_file = nullptr;
    Mode m_mode = Mode::read;
    std::string m_strFilePath;
    // Mode::replace: the file written, and the name it is to replace; both empty once replaced.
    std::string m_strTemporaryName;
    std::string m_strTargetName;
    // Reading: [m_begin, m_end) is read and not yet returned, and holds no line feed before
    // m_scanned. It grows when a line is longer than the buffer. Writing: [0, m_end) waits.
    std::vector<char> m_buffer;
    size_t m_begin = 0;
    size_t m_end = 0;
    size_t m_scanned = 0;
    bool m_bInputEnded = false;
    size_t m_maxLineLength = SIZE_MAX;
    // Reading: the lines of the last run, of which ReadLine has returned the first m_nextLine.
    std::vector<std::string_view> m_runLines;
    size_t m_nextLine = 0;
    // A job reads the next chunk into m_ioBuffer from kHeadroom on, or writes m_ioBuffer out;
    // m_ioSize bytes, and m_ioError the errno of its failure or 0. A chunk ends the input when
    // it is short or holds a byte 0x1A, where its m_ioSize bytes end. Jobs run on m_io once the
    // file has filled its first chunk, at once before that.
    std::unique_ptr<CBackgroundThread> m_io;
    size_t m_chunkSize = 0;
    std::vector<char> m_ioBuffer;
    size_t m_ioSize = 0;
    int m_ioError = 0;
    bool m_bChunkEndsInput = false;
};
