#include "base/FileSystem.h"
#include "cli/BatchCommand.h"

int main(int argc, char** argv) {
    SetBinaryStdout();
    return RunBatchCommand(std::vector<std::string>(argv + 1, argv + argc), stdout, stderr);
}
