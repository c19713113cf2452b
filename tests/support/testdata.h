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

// The bytes of tests/data/<name>, exactly as stored; a missing fixture fails the test.
inline std::string TestData(const std::string& name)
{
    std::ifstream in(TestDataPath(name), std::ios::binary);
    EXPECT_TRUE(in.good()) << "no fixture " << TestDataPath(name);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}
