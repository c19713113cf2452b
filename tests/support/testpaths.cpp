// The folders and programs of this checkout and build. They are compiled here alone: a test
// source naming none of them compiles the same in every clone, so the compiler cache shares it.
#include "testdata.h"

std::string TestDataPath(const std::string& name)
{
    return std::string(VIREO_TEST_DATA) + "/" + name;
}

std::string ExamplePath(const std::string& name)
{
    return std::string(VIREO_EXAMPLES) + "/" + name;
}

std::string CliProgram()
{
    return VIREO_CLI;
}

std::string JournalBurstProgram()
{
    return VIREO_JOURNAL_BURST;
}
