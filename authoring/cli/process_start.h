// Starting another program and waiting for it: the viewer for a preview, the
// system's opener for the help page. The one place where starting a program
// differs between systems.
#pragma once
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace orb::cli {

// Runs `program` (looked up on PATH when it has no folder) with `arguments` and
// waits for it. Its exit status (1 when it did not exit by itself); nothing when
// it could not be started.
std::optional<int> RunAndWait(const std::filesystem::path& program, const std::vector<std::string>& arguments);

// The program that opens a page in the user's default web browser.
const char* BrowserOpener();

// The program and its arguments as the C library's spawn calls take them: strings
// with a null pointer after the last, alive as long as this object.
class ArgumentVector {
public:
    ArgumentVector(const std::filesystem::path& program, const std::vector<std::string>& arguments)
        : words_{program.string()} {
        words_.insert(words_.end(), arguments.begin(), arguments.end());
        for (std::string& word : words_) pointers_.push_back(word.data());
        pointers_.push_back(nullptr);
    }
    ArgumentVector(const ArgumentVector&) = delete;  // the pointers point into this object's words
    ArgumentVector& operator=(const ArgumentVector&) = delete;

    const char* Program() const { return words_.front().c_str(); }
    char* const* Pointers() const { return pointers_.data(); }

private:
    std::vector<std::string> words_;
    std::vector<char*> pointers_;
};

}  // namespace orb::cli
