#pragma once

#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

#include "lang/text_table.h"

// A table read from the given file content.
inline TextTable tableFrom(std::string_view content, std::string fileName = "Test.lng") {
    TextTable table;
    std::istringstream in{std::string(content)};
    table.read(in, std::move(fileName));
    return table;
}

// A fresh folder under the system's temporary folder, removed again when the test ends.
class TempFolder {
  public:
    TempFolder() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() / ("kova_lang_" + std::to_string(::getpid()) + "_" +
                                                          info->test_suite_name() + "_" + info->name());
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

    void write(const std::string& name, std::string_view content) const {
        std::ofstream out(path_ / name, std::ios::binary);
        out << content;
    }

  private:
    std::filesystem::path path_;
};
