// A fresh scratch folder for the running test. Its name carries the process id
// as well as the test's name: ctest runs every test in a process of its own,
// several at once, and several checkouts may run their tests on one machine.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

inline std::filesystem::path MakeScratchFolder(const std::string& prefix) {
    const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                      (prefix + "_" + std::to_string(::getpid()) + "_" + name);
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}
