#include "tools/lookup/lookup_cli.h"
#include "tools/lookup/lookup_platform.h"

int main(int argc, char** argv) {
    std::vector<std::string> args = Utf8Arguments(argc, argv);
    std::vector<const char*> pointers;
    for (const std::string& arg : args) {
        pointers.push_back(arg.c_str());
    }

    LookupRequest request;
    request.dir = DefaultDictionaryDirFor(ExecutableDir());
    std::string out, error;
    if (AsksForHelp(static_cast<int>(pointers.size()), pointers.data())) {
        std::string lost = WriteOut(kLookupUsage);
        if (!lost.empty()) {
            WriteError("wordmere-lookup: standard output: write error (" + lost + ")\n");
            return kExitError;
        }
        return kExitFound;
    }
    if (!ParseLookupArguments(static_cast<int>(pointers.size()), pointers.data(), request, error)) {
        WriteError(error);
        return kExitError;
    }
    request.dir = NativePath(request.dir);
    int status = RunLookup(request, out, error);
    std::string lost = WriteOut(out);
    WriteError(error);
    if (!lost.empty()) {
        // Results that never reached their reader are no success.
        WriteError("wordmere-lookup: standard output: write error (" + lost + ")\n");
        return kExitError;
    }
    return status;
}
