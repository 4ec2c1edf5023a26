#include "tools/lookup/tool_main.h"
#include "tools/userdict/userdict_cli.h"

int main(int argc, char** argv) {
    return RunShellTool(argc, argv, "wordmere-userdict", kUserDictUsage, ParseUserDictArguments,
                        RunUserDict, UserDictRunChangedFile);
}
