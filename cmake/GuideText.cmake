# cmake -DIN=guide.md -DOUT=guide.txt -DSOURCE_DIR=DIR -P GuideText.cmake
# The Markdown guide as a plain text that Notepad shows right on any Windows: UTF-8 with a byte
# order mark, CR LF line ends, headings marked ■ and ◆, list items ・, no code quotes, a picture
# named by its file.
file(READ ${IN} text)

# The guide quotes every text the program shows: the UTF-8 comment right above each text of
# editor/EditorTexts.h (a test holds the comment to the bytes) and the string table's IDS_ entries.
# Placeholders (%1, %s, %d), line breaks and the menu's & marks are not quoted: each piece between
# them is. The file dialog's type list and the arrow cells are no sentences to explain, and the
# idle prompt is never shown.
file(STRINGS ${SOURCE_DIR}/editor/EditorTexts.h header ENCODING UTF-8)
file(STRINGS ${SOURCE_DIR}/res/Strings.rc strings ENCODING UTF-8 REGEX "^[ \t]*IDS_")
set(shown "")
set(comment "")
foreach(line IN LISTS header strings)
    if(line MATCHES "^inline constexpr char (k[A-Za-z0-9]+)" AND comment)
        if(NOT CMAKE_MATCH_1 MATCHES "^(kTableDialogFilter|kArrowCellText)$")
            list(APPEND shown "${comment}")
        endif()
    elseif(line MATCHES "^[ \t]*(IDS_[A-Z_]+)[ \t]+\"([^\"]*)\"" AND
           NOT CMAKE_MATCH_1 STREQUAL "IDS_IDLE_MESSAGE")
        list(APPEND shown "${CMAKE_MATCH_2}")
    endif()
    set(comment "")
    if(line MATCHES "^// (.+)")
        set(comment "${CMAKE_MATCH_1}")
    endif()
endforeach()
set(missing "")
foreach(shownText IN LISTS shown)
    string(REGEX REPLACE "[ ]*(%[0-9]+|%[-0-9.]*[a-z]+|\\\\n|&)[ ]*" ";" pieces "${shownText}")
    foreach(piece IN LISTS pieces)
        string(STRIP "${piece}" piece)
        string(FIND "${text}" "${piece}" at)
        if(piece AND at EQUAL -1)
            string(APPEND missing "\n  \"${piece}\" of \"${shownText}\"")
        endif()
    endforeach()
endforeach()
if(missing)
    message(FATAL_ERROR "${IN} lacks texts the program shows:${missing}")
endif()

# The guide is written in the few Markdown forms that read as plain text once marked: headings,
# lists, indented examples, code quotes and the picture.
string(REPLACE "\r\n" "\n" text "\n${text}")
string(REGEX REPLACE "!\\[([^]]*)\\]\\(([^)]*/)?([^)/]*)\\)" "[\\1: \\3]" text "${text}")
string(REPLACE "\n# " "\n" text "${text}")
string(REPLACE "\n## " "\n■ " text "${text}")
string(REPLACE "\n### " "\n◆ " text "${text}")
string(REGEX REPLACE "\n( *)- " "\n\\1・" text "${text}")
string(REPLACE "`" "" text "${text}")
if(text MATCHES "\n(#|\\||```|\\*\\*)|\\]\\(")
    message(FATAL_ERROR "${IN} holds Markdown that the text file would show: \"${CMAKE_MATCH_0}\"")
endif()
string(SUBSTRING "${text}" 1 -1 text)
string(REPLACE "\n" "\r\n" text "${text}")
string(ASCII 239 187 191 bom)
file(WRITE ${OUT} "${bom}${text}")
