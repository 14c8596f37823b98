#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/Cp932_win.h"
#include "base/FileSystem.h"
#include "cli/BatchCommand.h"

// The arguments arrive as UTF-16 and are converted to Shift-JIS here, whatever the system's ANSI
// code page, as the window program converts its texts.
int wmain(int argc, wchar_t** argv) {
    SetBinaryStdout();
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        std::optional<std::string> argument = Cp932FromWide(argv[i]);
        if (!argument) {
            std::fprintf(stderr,
                         "vosk1-batch: argument %d holds a character Shift-JIS cannot hold\n", i);
            return 2;
        }
        arguments.push_back(std::move(*argument));
    }
    return RunBatchCommand(arguments, stdout, stderr);
}
