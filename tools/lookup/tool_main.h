// The main program of a shell tool: UTF-8 arguments, --help, the dictionary directory beside
// the tool, and output that must reach its reader.
#pragma once

#include <string>
#include <vector>

#include "tools/lookup/lookup_cli.h"
#include "tools/lookup/lookup_platform.h"
#include "tools/lookup/tool_arguments.h"

// Writes a run's output and message and returns its exit status, or kExitError with a line
// saying so when the output did not reach its reader: results nobody got are no success. A
// run that changed a file (`changed`) keeps its status, since a caller that retried on an
// error would make the change twice; the lost output goes to the error stream instead.
inline int FinishToolRun(const char* tool, const std::string& out, const std::string& error,
                         int status, bool changed = false) {
    std::string lost = WriteOut(out);
    WriteError(error);
    if (!lost.empty() && changed) {
        WriteError(std::string(tool) + ": standard output: write error (" + lost +
                   "); the change was made: " + out);
        return status;
    }
    if (!lost.empty()) {
        WriteError(std::string(tool) + ": standard output: write error (" + lost + ")\n");
        return kExitError;
    }
    return status;
}

// Parses the arguments into a Request (which has a `dir`) with `parse` and runs it with `run`.
// `changedFile`, when given, tells whether a run with that status changed a file.
template <typename Request>
int RunShellTool(int argc, char** argv, const char* tool, const char* usage,
                 bool (*parse)(int, const char* const*, Request&, std::string&),
                 int (*run)(const Request&, std::string&, std::string&),
                 bool (*changedFile)(const Request&, int) = nullptr) {
    std::vector<std::string> args = Utf8Arguments(argc, argv);
    std::vector<const char*> pointers = ArgumentPointers(args);
    int count = static_cast<int>(pointers.size());
    if (AsksForHelp(count, pointers.data())) {
        return FinishToolRun(tool, usage, "", kExitFound);
    }
    Request request;
    request.dir = DefaultDictionaryDirFor(ExecutableDir());
    std::string out, error;
    if (!parse(count, pointers.data(), request, error)) {
        WriteError(error);
        return kExitError;
    }
    request.dir = NativePath(request.dir);
    int status = run(request, out, error);
    return FinishToolRun(tool, out, error, status, changedFile && changedFile(request, status));
}
