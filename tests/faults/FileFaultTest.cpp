#include <csignal>
#include <functional>

#include "editor/SettingsFiles.h"
#include "framework/FileException.h"
#include "framework/FileSystem.h"
#include "tests/common/TableBuilder.h"
#include "tests/faults/FaultTest.h"

#ifndef _WIN32
#include <sys/resource.h>
#endif

namespace {

constexpr char kDrawing[] = "hch 2 2 2 2 2 2 2 2 2 2\nhs 1\ncn1\nch 0 0 1 0 \"A\nln 0 0 1 1\n";
constexpr char kResult[] = "cn1\r\nch 0 0 1 0 \"B\r\nch 0 -2 1 0 \"C\r\nln 0 0 1 1\r\n";

class FileFaultTest : public FaultTest {
protected:
    void SetUp() override {
        FaultTest::SetUp();
        Populate();
    }

    // The scratch directory holding only a drawing, a table, "Vosk.ini" and an earlier output.
    void Populate() const {
        for (const auto& entry : std::filesystem::directory_iterator(Directory())) {
            std::filesystem::remove_all(entry.path());
        }
        WriteFile("temp.txt", kDrawing);
        WriteFile("t.mse", "A ---> B//C\r\n");
        WriteFile("Vosk.ini", "t.mse");
        WriteFile("jwc_temp.txt", "previous result");
    }

    std::string FullName(const std::string& name) const { return (Directory() / name).string(); }

    static std::string Message(const std::string& failure) {
        return "vosk1-batch: " + failure + "\n";
    }
};

TEST_F(FileFaultTest, AnUnreadableTableNamesTheFileAndTouchesNothing) {
    using Setup = std::function<void()>;
    const struct {
        Setup setup;
        std::vector<std::string> arguments;
        std::string message;
    } cases[] = {
        {[] { std::filesystem::remove("Vosk.ini"); }, {}, "cannot open \"Vosk.ini\": no such file"},
        {[] {
             std::filesystem::remove("Vosk.ini");
             std::filesystem::create_directories("Vosk.ini/sub");
         },
         {},
         "cannot open \"Vosk.ini\": access denied"},
        {[] { WriteFile("Vosk.ini", ""); }, {}, "cannot open \"\": no such file"},
        {[] { WriteFile("Vosk.ini", "\x81\xFF\x95\x1At.mse\r\n"); },
         {},
         "cannot open \"\x81\xFF\x95\": no such file"},
        // A path ends at a NUL byte, as the C runtime's open sees it.
        {[] { WriteFile("Vosk.ini", std::string("gone.mse\0t.mse", 14)); },
         {},
         "cannot open \"gone.mse\": no such file"},
        {[] { WriteFile("Vosk.ini", "gone/t.mse\r\nt.mse"); },
         {},
         "cannot open \"gone/t.mse\": no such file"},
        {[] {
             std::filesystem::create_directory("tables.mse");
             WriteFile("Vosk.ini", "tables.mse");
         },
         {},
         "cannot open \"tables.mse\": access denied"},
        {[] {}, {"--table", "missing.mse"}, "cannot open \"missing.mse\": no such file"},
#ifndef _WIN32
        {[] {}, {"--table", "t.mse/x.mse"}, "cannot open \"t.mse/x.mse\": invalid path"},
#endif
    };
    ASSERT_EQ(RunBatch({}).status, 0);
    ASSERT_EQ(ReadFile("jwc_temp.txt"), kResult);
    for (const auto& c : cases) {
        Populate();
        c.setup();
        const auto before = Snapshot();
        const BatchRun result = RunBatch(c.arguments);
        EXPECT_EQ(result.status, 2) << c.message;
        EXPECT_EQ(result.err, Message(c.message));
        EXPECT_EQ(Snapshot(), before) << c.message;
    }
}

TEST_F(FileFaultTest, ADrawingThatCannotBeReadLeavesAnEmptyOutput) {
    std::filesystem::remove("temp.txt");
    std::filesystem::create_directories("temp.txt/sub");
    WriteFile("temp.txt/sub/kept", "kept");
    auto expected = Snapshot();
    expected["jwc_temp.txt"] = "";

    BatchRun result = RunBatch({});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, Message("cannot open \"temp.txt\": access denied"));
    EXPECT_EQ(Snapshot(), expected);

    result = RunBatch({"--list"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, Message("cannot open \"temp.txt\": access denied"));
    EXPECT_EQ(Snapshot(), expected);
}

TEST_F(FileFaultTest, AnOutputThatCannotBeCreatedLosesNothing) {
    std::filesystem::remove("jwc_temp.txt");
    std::filesystem::create_directory("jwc_temp.txt");
    WriteFile("jwc_temp.txt/kept", "kept");
    const auto before = Snapshot();
    const BatchRun result = RunBatch({});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, Message("cannot open \"jwc_temp.txt\": access denied"));
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(FileFaultTest, SettingsThatCannotBeWrittenLoseNothing) {
    std::filesystem::create_directories("dir.mse/sub");
    std::filesystem::remove("Vosk.ini");
    std::filesystem::create_directory("Vosk.ini");
    const auto before = Snapshot();
    const ReplacementTable table;
    const struct {
        std::function<void()> write;
        std::string name;
        CFileException::Cause cause;
    } cases[] = {
        {[&] { WriteTableFile("dir.mse", table); }, "dir.mse", CFileException::Cause::accessDenied},
        {[&] { WriteTableFile("gone/t.mse", table); }, "gone/t.mse",
         CFileException::Cause::fileNotFound},
        {[] { WritePointerFile("t.mse"); }, "Vosk.ini", CFileException::Cause::accessDenied},
    };
    for (const auto& c : cases) {
        try {
            c.write();
            ADD_FAILURE() << c.name << " written";
        } catch (const CFileException& error) {
            EXPECT_EQ(error.m_strFileName, c.name);
            EXPECT_EQ(error.m_operation, CFileException::Operation::open);
            EXPECT_EQ(error.m_cause, c.cause) << c.name;
        }
    }
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(FileFaultTest, JunkInATableIsTakenByteForByte) {
    const std::string big(1 << 20, '\x95');
    const std::string junk = std::string("\0A\0 ---> \0B\r\n", 13) + "\x81 ---> \x81\x81\x81\n" +
                             big + " ---> " + big + "\x5C\r\n" + "X ---> Y\x1AZ ---> W\r\n";
    WriteFile("t.mse", junk);
    ReplacementTable table;
    FieldSplitter splitter;
    ReadTableFile("t.mse", table, splitter);
    ReplacementTable expected;
    expected.rows[0] = {std::string("\0A\0", 3), std::string("\0B", 2)};
    expected.rows[1] = {"\x81", "\x81\x81\x81"};
    expected.rows[2] = {big, big + "\x5C"};
    expected.rows[3] = {"X", "Y"};
    EXPECT_TRUE(table == expected);

    const std::string header = "ch 0 0 1 0 \"";
    WriteFile("temp.txt", header + std::string("\0A\0", 3) + "\n" + header + "\x81\n" + header +
                              big + "\n" + header + "X\n" + header + "Z\n" + header + "\n");
    const BatchRun result = RunBatch({});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(ReadFile("jwc_temp.txt") == header + std::string("\0B", 2) + "\r\n" + header +
                                                "\x81\x81\x81\r\n" + header + big + "\x5C\r\n" +
                                                header + "Y\r\n" + header + "Z\r\n");
}

// 表 (0x95 0x5C), ソ (0x83 0x5C) and 能 (0x94 0x5C) end in the byte of a backslash.
TEST_F(FileFaultTest, ShiftJisPathsWhoseTrailByteIsABackslash) {
#ifdef _WIN32
    const std::string separator = "\\";
#else
    const std::string separator = "/";
#endif
    const std::string directory = "\x95\x5C\x83\x5C";
    std::filesystem::create_directory(NativePath(directory, u8"表ソ"));
    const std::string tablePath =
        GetCurrentDir() + separator + directory + separator + "\x94\x5C.mse";
    WritePointerFile(tablePath);
    WriteTableFile(tablePath, MakeTable({{"A", "\x95\x5C"}}));
    std::string rows = "A ---> \x95\x5C\r\n";
    for (int r = 2; r <= 10; ++r) {
        rows += " ---> \r\n";
    }
    EXPECT_EQ(ReadFile(NativePath(directory, u8"表ソ") / NativePath("\x94\x5C.mse", u8"能.mse")),
              rows);

    EXPECT_EQ(ReadPointerFile(), tablePath);
    BatchRun result = RunBatch({});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(ReadFile("jwc_temp.txt"), "cn1\r\nch 0 0 1 0 \"\x95\x5C\r\nln 0 0 1 1\r\n");
    EXPECT_EQ(ReadPointerFile(), tablePath);

    const std::string missing = directory + separator + "\x95\x5C.mse";
    result = RunBatch({"--table", missing});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, Message("cannot open \"" + missing + "\": no such file"));
}

#ifndef _WIN32
// Writes past the given size fail with EFBIG, as on a full disk, while the object lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : m_previousHandler(std::signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &m_previous);
        rlimit limit = m_previous;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_previousHandler);
    }

private:
    void (*m_previousHandler)(int);
    rlimit m_previous{};
};

TEST_F(FileFaultTest, AFailedWriteIsReportedOnceAndKeepsWhatWasWritten) {
    // An output larger than the write buffer, so that a write fails in the middle of it.
    std::string drawing = "hch 2 2 2 2 2 2 2 2 2 2\nhs 1\ncn1\n";
    for (int i = 0; i < 20000; ++i) {
        drawing += "ch 0 0 1 0 \"A\nln 0 0 1 1\n";
    }
    WriteFile("temp.txt", drawing);
    ASSERT_EQ(RunBatch({}).status, 0);
    const std::string complete = ReadFile("jwc_temp.txt");
    ASSERT_GT(complete.size(), 1u << 19);

    const std::string failure =
        Message("cannot write \"" + FullName("jwc_temp.txt") + "\": disk full");
    {
        const FileSizeLimit limit(100000);
        const BatchRun result = RunBatch({});
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.err, failure);
    }
    EXPECT_TRUE(ReadFile("jwc_temp.txt") == complete.substr(0, 100000));

    // /dev/full fails the first write: in the middle of a long output, at the close of a short one.
    std::filesystem::remove("jwc_temp.txt");
    std::filesystem::create_symlink("/dev/full", "jwc_temp.txt");
    for (const std::string& input : {drawing, std::string(kDrawing)}) {
        WriteFile("temp.txt", input);
        const BatchRun result = RunBatch({});
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.err, failure);
    }

    std::filesystem::create_symlink("/dev/full", "full.mse");
    try {
        WriteTableFile("full.mse", ReplacementTable());
        ADD_FAILURE() << "a table written to a full disk";
    } catch (const CFileException& error) {
        EXPECT_EQ(error.m_strFileName, FullName("full.mse"));
        EXPECT_EQ(error.m_operation, CFileException::Operation::write);
        EXPECT_EQ(error.m_cause, CFileException::Cause::diskFull);
    }
}

// Reading this process's memory from address 0 fails with EIO after a successful open.
TEST_F(FileFaultTest, AFailedReadNamesTheFileByItsFullPath) {
    std::filesystem::create_symlink("/proc/self/mem", "mem");
    std::filesystem::remove("temp.txt");
    std::filesystem::create_symlink("/proc/self/mem", "temp.txt");
    const std::string failure = Message("cannot read \"" + FullName("temp.txt") + "\": I/O error");

    BatchRun result = RunBatch({});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, failure);
    EXPECT_EQ(ReadFile("jwc_temp.txt"), "");

    result = RunBatch({"--list"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, failure);

    WriteFile("jwc_temp.txt", "previous result");
    const auto before = Snapshot();
    result = RunBatch({"--table", "mem"});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, Message("cannot read \"" + FullName("mem") + "\": I/O error"));
    WriteFile("Vosk.ini", "mem");
    result = RunBatch({});
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.err, Message("cannot read \"" + FullName("mem") + "\": I/O error"));
    WriteFile("Vosk.ini", "t.mse");
    EXPECT_EQ(Snapshot(), before);
}

TEST_F(FileFaultTest, AnOutputInARemovedDirectoryIsNotCreated) {
    const std::string table = FullName("t.mse");
    std::filesystem::create_directory("gone");
    std::filesystem::current_path("gone");
    std::filesystem::remove(Directory() / "gone");
    const auto before = Snapshot();
    const BatchRun result = RunBatch({"--table", table});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err, Message("cannot open \"jwc_temp.txt\": no such file"));
    EXPECT_EQ(Snapshot(), before);
}
#endif

}  // namespace
