#include "cli/BatchCommand.h"

#include <optional>
#include <string_view>

#include "Vosk1Version.h"
#include "editor/SettingsFiles.h"
#include "engine/Vosk1Doc.h"
#include "framework/FileSystem.h"

namespace {

constexpr int kExitDone = 0;
constexpr int kExitFileFailed = 1;
constexpr int kExitUsage = 2;

constexpr char kUsage[] =
    "usage: vosk1-batch [-C DIR] [--table FILE] [RUNPARAM]\n"
    "       vosk1-batch [-C DIR] --list\n"
    "\n"
    "Replaces the texts of the drawing \"temp.txt\" by a replacement table and writes\n"
    "\"jwc_temp.txt\", both in the current directory.\n"
    "\n"
    "  -C DIR        change to DIR before anything else; relative paths, also the one\n"
    "                written in \"Vosk.ini\", are taken from there\n"
    "  --table FILE  the table file (.mse) to use; without it, the table named in\n"
    "                \"Vosk.ini\" in the current directory\n"
    "  RUNPARAM      \"/P\" followed by the factor of the line pitch of multi-line\n"
    "                replacements; absent or empty means \"/P1\"\n"
    "  --list        print the texts of \"temp.txt\", each followed by a line feed\n"
    "  --help        print this help\n"
    "  --version     print the version\n"
    "\n"
    "A table file has ten lines \"before ---> after\"; an empty after text removes the\n"
    "text, and \"//\" in an after text makes it several lines.\n"
    "Exit status: 0 done; 1 a file of the drawing could not be read or written;\n"
    "2 bad usage, or the table or \"Vosk.ini\" could not be read (\"jwc_temp.txt\" is\n"
    "then left untouched).\n";

struct BatchOptions {
    std::optional<std::string> directory;
    std::optional<std::string> tablePath;
    std::string runParameter;
    bool list = false;
    bool help = false;
    bool version = false;
};

const char* CauseText(CFileException::Cause cause) {
    switch (cause) {
        case CFileException::Cause::fileNotFound:
            return "no such file";
        case CFileException::Cause::badPath:
            return "invalid path";
        case CFileException::Cause::accessDenied:
            return "access denied";
        case CFileException::Cause::diskFull:
            return "disk full";
        case CFileException::Cause::hardIO:
            return "I/O error";
        case CFileException::Cause::generic:
            break;
    }
    return "file error";
}

const char* OperationText(CFileException::Operation operation) {
    switch (operation) {
        case CFileException::Operation::open:
            return "cannot open";
        case CFileException::Operation::read:
            return "cannot read";
        case CFileException::Operation::write:
            return "cannot write";
        case CFileException::Operation::close:
            break;
    }
    return "cannot finish";
}

void PrintFileError(std::FILE* err, const CFileException& error) {
    std::fprintf(err, "vosk1-batch: %s \"%s\": %s\n", OperationText(error.m_operation),
                 error.m_strFileName.c_str(), CauseText(error.m_cause));
}

class PrintingErrorSink : public FileErrorSink {
public:
    explicit PrintingErrorSink(std::FILE* err) : m_err(err) {}
    void ReportFileError(const CFileException& error) override {
        PrintFileError(m_err, error);
        m_bFailed = true;
    }
    bool Failed() const { return m_bFailed; }

private:
    std::FILE* m_err;
    bool m_bFailed = false;
};

// Parses the arguments; nullopt, with the reason printed, when they make no sense.
std::optional<BatchOptions> ParseArguments(const std::vector<std::string>& arguments,
                                           std::FILE* err) {
    BatchOptions options;
    bool runParameterSeen = false;
    bool optionsEnded = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool takesValue = argument == "-C" || argument == "--table";
        if (!optionsEnded && takesValue && i + 1 == arguments.size()) {
            std::fprintf(err, "vosk1-batch: %s needs a value\n", argument.c_str());
            return std::nullopt;
        }
        if (optionsEnded || argument.empty() || argument[0] != '-') {
            if (runParameterSeen) {
                std::fprintf(err, "vosk1-batch: more than one run parameter\n");
                return std::nullopt;
            }
            options.runParameter = argument;
            runParameterSeen = true;
        } else if (argument == "-C") {
            options.directory = arguments[++i];
        } else if (argument == "--table") {
            options.tablePath = arguments[++i];
        } else if (argument == "--list") {
            options.list = true;
        } else if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--version") {
            options.version = true;
        } else if (argument == "--") {
            optionsEnded = true;
        } else {
            std::fprintf(err, "vosk1-batch: unknown option %s\n", argument.c_str());
            return std::nullopt;
        }
    }
    if (options.list && (options.tablePath || runParameterSeen)) {
        std::fprintf(err, "vosk1-batch: --list takes no table and no run parameter\n");
        return std::nullopt;
    }
    return options;
}

void PrintTexts(const std::string& preview, std::FILE* out) {
    std::string_view rest = preview;
    for (size_t end; (end = rest.find("\r\n")) != std::string_view::npos;) {
        std::fwrite(rest.data(), 1, end, out);
        std::fputc('\n', out);
        rest.remove_prefix(end + 2);
    }
}

int ListTexts(std::FILE* out, std::FILE* err) {
    CVosk1Doc doc;
    PrintingErrorSink errors(err);
    doc.CollectTexts(errors);
    PrintTexts(doc.m_strPreview, out);
    return errors.Failed() ? kExitFileFailed : kExitDone;
}

int Replace(const BatchOptions& options, std::FILE* err) {
    ReplacementTable table;
    try {
        const std::string tablePath = options.tablePath ? *options.tablePath : ReadPointerFile();
        FieldSplitter splitter;
        ReadTableFile(tablePath, table, splitter);
    } catch (const CFileException& error) {
        PrintFileError(err, error);
        return kExitUsage;
    }
    CVosk1Doc doc;
    doc.OnNewDocument(options.runParameter);
    PrintingErrorSink errors(err);
    try {
        doc.RunReplacementPass(table, errors);
    } catch (const CFileException& error) {
        PrintFileError(err, error);
        return kExitFileFailed;
    }
    return errors.Failed() ? kExitFileFailed : kExitDone;
}

}  // namespace

int RunBatchCommand(const std::vector<std::string>& arguments, std::FILE* out, std::FILE* err) {
    const std::optional<BatchOptions> options = ParseArguments(arguments, err);
    if (!options) {
        std::fputs(kUsage, err);
        return kExitUsage;
    }
    if (options->help) {
        std::fputs(kUsage, out);
        return kExitDone;
    }
    if (options->version) {
        std::fputs("vosk1-batch " VOSK1_VERSION "\n", out);
        return kExitDone;
    }
    if (options->directory && !SetCurrentDir(*options->directory)) {
        std::fprintf(err, "vosk1-batch: cannot change to directory \"%s\"\n",
                     options->directory->c_str());
        return kExitUsage;
    }
    return options->list ? ListTexts(out, err) : Replace(*options, err);
}
