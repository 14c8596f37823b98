#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "base/FileChannel.h"
#include "base/PageBuffer.h"

// A text file written whole or not at all, with one text mode on every platform: every "\n"
// goes out as CR LF. The bytes go to a temporary file beside the target, which Close puts in the
// target's place once all are written; until then the target is as it was. A file that outgrows
// a first small chunk is written behind on a thread of its own where a second processor can run
// it. Every failure throws CFileException naming the target; after a failure, or after Close, any
// write fails too. Destroyed without a successful Close, the writer removes its temporary file
// and leaves the target as it was.
class CTextWriter {
public:
    explicit CTextWriter(const std::string& name);

    void WriteString(std::string_view text);
    // WriteString of the text and a line end.
    void WriteLine(std::string_view text);
    // Writes bytes as they stand, for lines read by CTextReader::ReadLines that end in CR LF.
    void WriteRaw(std::string_view bytes);
    void Close();

private:
    // A file name that goes with its file: the file is removed when the object goes, unless
    // it was kept.
    class CTemporaryName {
    public:
        explicit CTemporaryName(std::string name) : m_strName(std::move(name)) {}
        CTemporaryName(const CTemporaryName&) = delete;
        CTemporaryName& operator=(const CTemporaryName&) = delete;
        ~CTemporaryName();
        const std::string& Name() const { return m_strName; }
        void Keep() { m_strName.clear(); }

    private:
        std::string m_strName;
    };

    void FlushBuffer();
    template <class Step>
    void Checked(const Step& step);

    std::string m_strTargetName;
    CTemporaryName m_temporary;  // before the channel: the file closes before it is removed
    CFileChannel m_channel;
    CPageBuffer m_buffer;  // [0, m_end) waits to be written; empty once writing has ended
    size_t m_end = 0;
    size_t m_chunkSize;
};
