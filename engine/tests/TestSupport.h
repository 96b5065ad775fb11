// Helpers of the engine's tests: a scratch folder per test, and the message of an
// expected error.
#pragma once
#include "EngineError.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

class TestFolder
{
public:
    TestFolder()
    {
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        m_path = std::filesystem::temp_directory_path() /
                 ("cleavage-" + std::string(test->test_suite_name()) + "-" + test->name());
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~TestFolder() { std::filesystem::remove_all(m_path); }

    std::string PathOf(const std::string& name) const { return (m_path / name).string(); }
    void Write(const std::string& name, const std::string& text) const
    {
        std::ofstream(PathOf(name), std::ios::binary) << text;
    }
    std::string Read(const std::string& name) const
    {
        std::ostringstream text;
        text << std::ifstream(PathOf(name), std::ios::binary).rdbuf();
        return text.str();
    }
    bool Exists(const std::string& name) const { return std::filesystem::exists(PathOf(name)); }

private:
    std::filesystem::path m_path;
};

// The message of the EngineError that `action` throws, or "no error".
template <class Action>
std::string ErrorOf(const Action& action)
{
    try
    {
        action();
    }
    catch (const cleavage::EngineError& error)
    {
        return error.what();
    }
    return "no error";
}

// Whether `text` holds `part`, said with both on failure.
inline ::testing::AssertionResult Contains(const std::string& text, const std::string& part)
{
    if (text.find(part) != std::string::npos)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "\"" << text << "\" does not hold \"" << part << "\"";
}
