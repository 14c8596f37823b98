#include "cli/BatchCommand.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <exception>
#include <new>
#include <optional>
#include <string_view>

#include "Vosk1Version.h"
#include "base/FileSystem.h"
#include "engine/ExchangeInput.h"
#include "engine/MultiLineLayout.h"
#include "engine/TextMatcher.h"
#include "engine/Vosk1Doc.h"
#include "tables/SettingsFiles.h"

namespace {

constexpr int kExitDone = 0;
constexpr int kExitFileFailed = 1;
// Bad usage, or a table or "Vosk.ini" that cannot be read: the run stopped before the pass.
constexpr int kExitNotStarted = 2;

constexpr char kUsage[] =
    "Usage: vosk1-batch [-C DIR] [--table FILE] [MATCH OPTIONS] [RUNPARAM]\n"
    "  or:  vosk1-batch [-C DIR] --list\n"
    "  or:  vosk1-batch [-C DIR] [--table FILE] [MATCH OPTIONS] [RUNPARAM] --preview\n"
    "  or:  vosk1-batch --help | --version\n"
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
    "  --match whole|part    compare whole texts, or replace the before text\n"
    "                        wherever it occurs in a text\n"
    "  --width exact|ignore  whether full-width and half-width forms differ\n"
    "  --case exact|ignore   whether upper and lower case differ; each of the\n"
    "                        three overrides the table's own setting\n"
    "  --list        print the texts of \"temp.txt\", each followed by a line feed\n"
    "  --preview     write nothing; print for each row \"ROW\\tBEFORE\\tAFTER\\tCOUNT\\tACTION\"\n"
    "                (ACTION: replace, remove, lines N, none, shadowed, empty row),\n"
    "                COUNT the texts the row will change, then the texts replaced,\n"
    "                removed and laid out as several lines: \"total\\tR\\tD\\tL\"\n"
    "                with part matching each row's line ends in \"\\tPLACES\", the\n"
    "                occurrences it replaces, and ACTION says \"lines\" alone\n"
    "  --help        print this help\n"
    "  --version     print the version\n"
    "\n"
    "A table file has ten lines \"before ---> after\"; an empty after text removes the\n"
    "text, and \"//\" in an after text makes it several lines. An eleventh line\n"
    "\"#options match=part width=ignore case=ignore\" (any of the three) sets the\n"
    "table's match options.\n"
    "\n"
    "Exit status:\n"
    "  0  done\n"
    "  1  the drawing could not be read or the result written (there is then no\n"
    "     \"jwc_temp.txt\": a result is written whole or not at all)\n"
    "  2  bad usage, or the table or \"Vosk.ini\" could not be read (\"jwc_temp.txt\" is\n"
    "     then left untouched)\n";

// Each overrides the table's own setting when given.
struct MatchOverrides {
    std::optional<bool> part;
    std::optional<bool> ignoreWidth;
    std::optional<bool> ignoreCase;
};

struct BatchOptions {
    std::optional<std::string> directory;
    std::optional<std::string> tablePath;
    MatchOverrides match;
    std::string runParameter;
    bool list = false;
    bool preview = false;
    bool help = false;
    bool version = false;
};

// The cause in words; a cause of no known kind in the system's own.
const char* CauseText(const CFileException& error) {
    switch (error.m_cause) {
        case CFileException::Cause::fileNotFound:
            return "no such file";
        case CFileException::Cause::badPath:
            return "invalid path";
        case CFileException::Cause::accessDenied:
            return "access denied";
        case CFileException::Cause::isDirectory:
            return "is a directory";
        case CFileException::Cause::diskFull:
            return "disk full";
        case CFileException::Cause::hardIO:
            return "I/O error";
        case CFileException::Cause::badFormat:
            return "unknown or repeated setting";
        case CFileException::Cause::tooLarge:
            return "not a table file: more than";
        case CFileException::Cause::generic:
            break;
    }
    return error.m_osError != 0 ? std::strerror(error.m_osError) : "file error";
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

// A name as bytes for a terminal: control bytes, which no Shift-JIS character holds as a trail
// byte, are shown as \xHH.
std::string Printable(std::string_view name) {
    std::string printable;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            constexpr char kHexDigits[] = "0123456789ABCDEF";
            printable += {'\\', 'x', kHexDigits[byte >> 4], kHexDigits[byte & 0xF]};
        } else {
            printable += c;
        }
    }
    return printable;
}

void PrintFileError(std::FILE* err, const CFileException& error) {
    std::fprintf(err, "vosk1-batch: %s \"%s\": ", OperationText(error.m_operation),
                 Printable(error.m_strFileName).c_str());
    if (error.m_cause == CFileException::Cause::badFormat) {
        std::fprintf(err, "line %s: ", std::to_string(error.m_nLine).c_str());
    }
    std::fprintf(err, "%s", CauseText(error));
    if (error.m_cause == CFileException::Cause::badFormat) {
        std::fprintf(err, " \"%s\"", Printable(error.m_strDetail).c_str());
    }
    if (error.m_cause == CFileException::Cause::tooLarge) {
        std::fprintf(err, " %s bytes", std::to_string(error.m_nLimit).c_str());
    }
    std::fputc('\n', err);
}

class CPrintingErrorSink : public CFileErrorSink {
public:
    explicit CPrintingErrorSink(std::FILE* err) : m_err(err) {}
    void ReportFileError(const CFileException& error) override {
        PrintFileError(m_err, error);
        m_bFailed = true;
    }
    bool Failed() const { return m_bFailed; }

private:
    std::FILE* m_err;
    bool m_bFailed = false;
};

// One of --match whole|part, --width exact|ignore, --case exact|ignore; false, with the reason
// printed, for another value.
bool ParseMatchOverride(const std::string& option, const std::string& value,
                        MatchOverrides& overrides, std::FILE* err) {
    const bool match = option == "--match";
    const char* const offValue = match ? "whole" : "exact";
    const char* const onValue = match ? "part" : "ignore";
    if (value != offValue && value != onValue) {
        std::fprintf(err, "vosk1-batch: %s takes %s or %s, not %s\n", option.c_str(), offValue,
                     onValue, Printable(value).c_str());
        return false;
    }
    std::optional<bool>& setting = match                 ? overrides.part
                                   : option == "--width" ? overrides.ignoreWidth
                                                         : overrides.ignoreCase;
    setting = value == onValue;
    return true;
}

// Parses the arguments; nullopt, with the reason printed, when they make no sense.
std::optional<BatchOptions> ParseArguments(const std::vector<std::string>& arguments,
                                           std::FILE* err) {
    BatchOptions options;
    bool runParameterSeen = false;
    bool optionsEnded = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool takesValue = argument == "-C" || argument == "--table" ||
                                argument == "--match" || argument == "--width" ||
                                argument == "--case";
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
        } else if (argument == "--match" || argument == "--width" || argument == "--case") {
            if (!ParseMatchOverride(argument, arguments[++i], options.match, err)) {
                return std::nullopt;
            }
        } else if (argument == "--list") {
            options.list = true;
        } else if (argument == "--preview") {
            options.preview = true;
        } else if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--version") {
            options.version = true;
        } else if (argument == "--") {
            optionsEnded = true;
        } else {
            std::fprintf(err, "vosk1-batch: unknown option %s\n", Printable(argument).c_str());
            return std::nullopt;
        }
    }
    const bool matchOverridden =
        options.match.part || options.match.ignoreWidth || options.match.ignoreCase;
    if (options.list &&
        (options.tablePath || runParameterSeen || options.preview || matchOverridden)) {
        std::fprintf(err,
                     "vosk1-batch: --list takes no table, run parameter, match option or "
                     "--preview\n");
        return std::nullopt;
    }
    if (runParameterSeen && !std::isfinite(PitchFactor(options.runParameter))) {
        std::fprintf(err, "vosk1-batch: the number of the run parameter \"%s\" is not finite\n",
                     Printable(options.runParameter).c_str());
        return std::nullopt;
    }
    return options;
}

// Standard output is a file like the others: a failed write must not look like success.
int FinishOutput(std::FILE* out, std::FILE* err, int status) {
    if (std::fflush(out) != 0 || std::ferror(out) != 0) {
        std::fprintf(err, "vosk1-batch: cannot write standard output\n");
        return kExitFileFailed;
    }
    return status;
}

// Prints each text as it is read, so that memory stays flat whatever the drawing's size.
int ListTexts(std::FILE* out, std::FILE* err) {
    CPrintingErrorSink errors(err);
    ForEachDrawingText(errors, [out](std::string_view text) {
        std::fwrite(text.data(), 1, text.size(), out);
        std::fputc('\n', out);
    });
    return FinishOutput(out, err, errors.Failed() ? kExitFileFailed : kExitDone);
}

// The table of --table, or the one named in "Vosk.ini"; nullopt, with the error printed, when it
// cannot be read.
std::optional<ReplacementTable> LoadTable(const BatchOptions& options, std::FILE* err) {
    ReplacementTable table;
    try {
        const std::string tablePath = options.tablePath ? *options.tablePath : ReadPointerFile();
        FieldSplitter splitter;
        ReadTableFile(tablePath, table, splitter);
    } catch (const CFileException& error) {
        PrintFileError(err, error);
        return std::nullopt;
    }
    MatchOptions& stored = table.options;
    stored.part = options.match.part.value_or(stored.part);
    stored.ignoreWidth = options.match.ignoreWidth.value_or(stored.ignoreWidth);
    stored.ignoreCase = options.match.ignoreCase.value_or(stored.ignoreCase);
    return table;
}

const char* ActionWord(RowAction action) {
    switch (action) {
        case RowAction::emptyRow:
            return "empty row";
        case RowAction::none:
            return "none";
        case RowAction::shadowed:
            return "shadowed";
        case RowAction::replace:
            return "replace";
        case RowAction::remove:
            return "remove";
        case RowAction::layOut:
            break;
    }
    return "lines";
}

// What the pass would do, counted text by text as the drawing is read, so that memory stays flat
// whatever the drawing's size.
ReplacementCounts CountDrawing(const ReplacementTable& table, CFileErrorSink& errors) {
    const CTextMatcher matcher(table);
    ReplacementCounts counts;
    ForEachDrawingText(errors, [&](std::string_view text) { CountText(matcher, text, 1, counts); });
    return counts;
}

// One line per row and one of totals, fields separated by tabs; texts as raw bytes. With part
// matching a row's line ends with the places it replaces, and says "lines" without a count: the
// lines of a text depend on the text.
int Preview(const ReplacementTable& table, std::FILE* out, std::FILE* err) {
    CPrintingErrorSink errors(err);
    const ReplacementCounts counts = CountDrawing(table, errors);
    if (errors.Failed()) {
        return kExitFileFailed;
    }
    const bool part = table.options.part;
    std::string lines;
    for (size_t r = 0; r < table.rows.size(); ++r) {
        const ReplacementRow& row = table.rows[r];
        const RowAction action = ActionOf(row, counts.rows[r]);
        lines.append(std::to_string(r + 1)).append("\t").append(row.before).append("\t");
        lines.append(row.after).append("\t").append(std::to_string(counts.rows[r].applied));
        lines.append("\t").append(ActionWord(action));
        if (action == RowAction::layOut && !part) {
            lines.append(" ").append(std::to_string(LineCount(row.after)));
        }
        if (part) {
            lines.append("\t").append(std::to_string(counts.rows[r].places));
        }
        lines.append("\n");
    }
    lines.append("total");
    for (const size_t total : {counts.replaced, counts.removed, counts.laidOut}) {
        lines.append("\t").append(std::to_string(total));
    }
    lines.append("\n");
    std::fwrite(lines.data(), 1, lines.size(), out);
    return FinishOutput(out, err, kExitDone);
}

int Replace(const ReplacementTable& table, const BatchOptions& options, std::FILE* err) {
    CVosk1Doc doc;
    doc.OnNewDocument(options.runParameter);
    try {
        doc.RunReplacementPass(table);
    } catch (const CFileException& error) {
        PrintFileError(err, error);
        return kExitFileFailed;
    }
    return kExitDone;
}

int Run(const BatchOptions& options, std::FILE* out, std::FILE* err) {
    if (options.help) {
        std::fputs(kUsage, out);
        return FinishOutput(out, err, kExitDone);
    }
    if (options.version) {
        std::fputs("vosk1-batch " VOSK1_VERSION "\n", out);
        return FinishOutput(out, err, kExitDone);
    }
    if (options.directory && !SetCurrentDir(*options.directory)) {
        std::fprintf(err, "vosk1-batch: cannot change to directory \"%s\"\n",
                     Printable(*options.directory).c_str());
        return kExitNotStarted;
    }
    if (options.list) {
        return ListTexts(out, err);
    }
    const std::optional<ReplacementTable> table = LoadTable(options, err);
    if (!table) {
        return kExitNotStarted;
    }
    return options.preview ? Preview(*table, out, err) : Replace(*table, options, err);
}

}  // namespace

int RunBatchCommand(const std::vector<std::string>& arguments, std::FILE* out, std::FILE* err) {
    try {
        const std::optional<BatchOptions> options = ParseArguments(arguments, err);
        if (!options) {
            std::fputs(kUsage, err);
            return kExitNotStarted;
        }
        return Run(*options, out, err);
    } catch (const std::bad_alloc&) {
        std::fprintf(err, "vosk1-batch: out of memory\n");
    } catch (const std::exception& error) {
        std::fprintf(err, "vosk1-batch: %s\n", error.what());
    }
    return kExitFileFailed;
}
