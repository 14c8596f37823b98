#include <gtest/gtest.h>

#include "engine/Vosk1Doc.h"
#include "tests/common/RecordingErrorSink.h"
#include "tests/common/ScratchDirectory.h"

namespace {

using DrawingTextListTest = ScratchDirectoryTest;

TEST_F(DrawingTextListTest, CollectsTheTextOfEveryTextRecord) {
    WriteFile("temp.txt",
              "hq\nch 0 0 1 0 \"A\ncv 0 0 1 0 \"A\r\ncz 0 0 1 0 \"\nc2 1 1 1 0 \"x\"y\n"
              "CH 0 0 1 0 \"no\nc  \"no\ncn\"no\nch 0 0 1 0\nch 0 0 1 0 \"\x95\x5C"
              "A\n"
              "ch \"" +
                  std::string(1000, 'w') + "\nch 0 0 1 0 \"last");
    CVosk1Doc doc;
    RecordingErrorSink errors;
    doc.CollectTexts(errors);
    const std::string expected =
        "A\r\nA\r\n\r\nx\r\n\r\n\x95\x5C"
        "A\r\n" +
        std::string(1000, 'w') + "\r\nlast\r\n";
    EXPECT_EQ(doc.m_strPreview, expected);
    doc.CollectTexts(errors);
    EXPECT_EQ(doc.m_strPreview, expected);
    EXPECT_TRUE(errors.errors.empty());
}

TEST_F(DrawingTextListTest, AMissingDrawingIsReportedEachTimeAndGivesAnEmptyList) {
    CVosk1Doc doc;
    doc.m_strPreview = "stale\r\n";
    RecordingErrorSink errors;
    doc.CollectTexts(errors);
    doc.CollectTexts(errors);
    EXPECT_EQ(doc.m_strPreview, "");
    ASSERT_EQ(errors.errors.size(), 2u);
    EXPECT_EQ(errors.errors[1].m_strFileName, "temp.txt");
}

}  // namespace
