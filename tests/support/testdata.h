#pragma once

// The one way tests reach the cockpits of tests/data and of examples/.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#ifndef VIREO_TEST_DATA
#error "test programs are built with VIREO_TEST_DATA naming tests/data"
#endif

// Where tests/data/<name> lies.
inline std::string TestDataPath(const std::string& name)
{
    return std::string(VIREO_TEST_DATA) + "/" + name;
}

// Where examples/<name> lies (the demo cockpit and its pictures).
inline std::string ExamplePath(const std::string& name)
{
    return std::string(VIREO_EXAMPLES) + "/" + name;
}

// The bytes of tests/data/<name>, exactly as stored; a missing fixture fails the test.
inline std::string TestData(const std::string& name)
{
    std::ifstream in(TestDataPath(name), std::ios::binary);
    EXPECT_TRUE(in.good()) << "no fixture " << TestDataPath(name);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}
