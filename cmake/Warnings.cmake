# Every target of the project links vosk1_warnings: warnings are errors on every build.
add_library(vosk1_warnings INTERFACE)
target_compile_options(vosk1_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wsign-conversion -Werror)
