#pragma once

// The one way tests reach the cockpits of tests/data and of examples/, and the programs they
// run.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

// Where tests/data/<name> lies.
std::string TestDataPath(const std::string& name);

// Where examples/<name> lies (the demo cockpit and its pictures).
std::string ExamplePath(const std::string& name);

// The vireo-cli program of this build.
std::string CliProgram();

// The helper that makes a burst of journalled edits until it is killed (tests/helpers).
std::string JournalBurstProgram();

// The bytes of a file, exactly as stored; a missing file fails the test.
inline std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.good()) << "no fixture " << path;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The bytes of tests/data/<name>.
inline std::string TestData(const std::string& name)
{
    return FileBytes(TestDataPath(name));
}

// The bytes of examples/<name>.
inline std::string ExampleData(const std::string& name)
{
    return FileBytes(ExamplePath(name));
}
