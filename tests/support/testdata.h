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
