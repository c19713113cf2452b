#pragma once

// Fixture files of tests/data, read whole.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#ifndef VIREO_TEST_DATA
#error "test programs are built with VIREO_TEST_DATA naming tests/data"
#endif

// The bytes of tests/data/<name>; a missing fixture fails the test that asked for it.
inline std::string TestData(const std::string& name)
{
    std::ifstream in(std::string(VIREO_TEST_DATA) + "/" + name, std::ios::binary);
    EXPECT_TRUE(in.good()) << "no fixture " << name;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}
