#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

// The bytes of a fixture file under tests/data (VIREO_TEST_DATA of the test program).
inline std::string FixtureText(const std::string& name)
{
    const std::string path = std::string(VIREO_TEST_DATA) + "/" + name;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        ADD_FAILURE() << "no fixture " << path;
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}
