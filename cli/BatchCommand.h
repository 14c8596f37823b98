#pragma once

#include <cstdio>
#include <string>
#include <vector>

// vosk1-batch: the replacement of a drawing, or the list of its texts, without a window.
// Returns the exit status: 0 done, 1 a file of the drawing failed, 2 bad usage or table.
int RunBatchCommand(const std::vector<std::string>& arguments, std::FILE* out, std::FILE* err);
