# cmake -DIN=guide.md -DOUT=guide.txt -P GuideText.cmake
# The Markdown guide as a plain text that Notepad shows right on any Windows: UTF-8 with a byte
# order mark, CR LF line ends, no emphasis marks or code quotes, a picture named by its file.
file(READ ${IN} text)
string(REGEX REPLACE "!\\[([^]]*)\\]\\(([^)]*/)?([^)/]*)\\)" "[\\1: \\3]" text "${text}")
string(REGEX REPLACE "\\[([^]]*)\\]\\(#[^)]*\\)" "\\1" text "${text}")
string(REPLACE "**" "" text "${text}")
string(REPLACE "`" "" text "${text}")
string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
string(ASCII 239 187 191 bom)
file(WRITE ${OUT} "${bom}${text}")
