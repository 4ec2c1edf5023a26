#include "tools/lookup/lookup_cli.h"
#include "tools/lookup/tool_main.h"

int main(int argc, char** argv) {
    return RunShellTool(argc, argv, "wordmere-lookup", kLookupUsage, ParseLookupArguments,
                        RunLookup);
}
