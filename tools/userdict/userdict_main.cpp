#include <cstdio>

#include "tools/lookup/lookup_cli.h"
#include "tools/lookup/lookup_platform.h"
#include "tools/userdict/userdict_cli.h"

int main(int argc, char** argv) {
    std::vector<std::string> args = Utf8Arguments(argc, argv);
    std::vector<const char*> pointers;
    for (const std::string& arg : args) {
        pointers.push_back(arg.c_str());
    }
    UserDictRequest request;
    request.dir = DefaultDictionaryDirFor(ExecutableDir());
    std::string out, error;
    int status = kExitFound;
    if (AsksForHelp(static_cast<int>(pointers.size()), pointers.data())) {
        out = kUserDictUsage;
    } else if (!ParseUserDictArguments(static_cast<int>(pointers.size()), pointers.data(), request,
                                       error)) {
        WriteError(error);
        return kExitError;
    } else {
        request.dir = NativePath(request.dir);
        status = RunUserDict(request, out, error);
    }
    WriteOut(out);
    WriteError(error);
    // Output that never reached its reader (a full disk, a closed stream) is a failure.
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        WriteError("wordmere-userdict: standard output: write error\n");
        return kExitError;
    }
    return status;
}
