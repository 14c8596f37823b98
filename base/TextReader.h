#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/FileChannel.h"
#include "base/PageBuffer.h"
#include "base/TextLines.h"

// A text file read with the same text mode on every platform: a line ends at LF, a CR directly
// before the LF goes with it, a lone CR stays in the line, and a byte 0x1A ends the input. A file
// larger than a first small chunk is read ahead on a thread of its own where a second processor
// can run it. Every failure throws CFileException.
class CTextReader {
public:
    explicit CTextReader(const std::string& name);

    // Reading stops with a failure, cause badPath, at a line longer than this many bytes.
    void LimitLineLength(size_t maxBytes) { m_maxLineLength = maxBytes; }
    // Reading stops with a failure, cause tooLarge, once it has taken more than this many bytes
    // of the file.
    void LimitSize(size_t maxBytes) { m_maxSize = maxBytes; }
    // The next run of whole lines as they stand in the file, line ends included (the last line
    // of the input may have none), for ForEachLine to cut; false once the input has ended.
    // The run stays valid until the next read.
    bool ReadLines(std::string_view& lines);
    // The next line without its line end, valid until the next read; false, with the line
    // empty, once the input has ended.
    bool ReadLine(std::string_view& line);
    // As ReadLine, into a string of its own.
    bool ReadString(std::string& line);
    void Close() { m_channel.Close(); }

private:
    bool ReadMore();
    void ReadAhead();
    void PlaceUnreturnedBeforeChunk();
    void AppendChunk();
    void ReadBehindUnreturned();
    void MoveUnreturnedTo(size_t begin);

    CFileChannel m_channel;
    // [m_begin, m_end) is read and not yet returned, and holds no line feed before m_scanned. It
    // grows when a line is longer than the headroom in front of a chunk: then the next chunks are
    // read straight behind it, with no reading ahead, until the line ends.
    CPageBuffer m_buffer;
    size_t m_begin = 0;
    size_t m_end = 0;
    size_t m_scanned = 0;
    size_t m_chunkSize;
    size_t m_maxLineLength = SIZE_MAX;
    size_t m_maxSize = SIZE_MAX;
    size_t m_taken = 0;           // of the file, by ReadMore
    bool m_bReadingAhead = true;  // into the channel's buffer
    bool m_bInputEnded = false;
    // The lines of the last run, of which ReadLine has returned the first m_nextLine.
    std::vector<std::string_view> m_runLines;
    size_t m_nextLine = 0;
};
