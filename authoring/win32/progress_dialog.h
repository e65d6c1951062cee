// The modeless "Processing" box (template 105): a caption line, a file line and a
// bar that counts steps up to a total. The window lives as long as the object.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

namespace orb {

class ProgressDialog {
public:
    ProgressDialog(HWND owner, const std::string& caption, int total);
    ~ProgressDialog();
    ProgressDialog(const ProgressDialog&) = delete;
    ProgressDialog& operator=(const ProgressDialog&) = delete;

    // One more step (never past the total), showing `text` on the file line.
    void Step(const std::string& text);
    // Moves straight to `count` steps (clamped to 0..total), showing `text`.
    void StepTo(int count, const std::string& text);

private:
    HWND window_ = nullptr;
    int count_ = 0;
    int total_ = 0;
};

// Drives progress boxes from percentages, as compression and extraction report
// them: the first call opens a box with `caption` and a total of 100, every call
// steps to the percentage, 100 or more closes it and the next call opens anew.
class PercentProgress {
public:
    PercentProgress(HWND owner, std::string caption) : owner_(owner), caption_(std::move(caption)) {}
    void operator()(int percent);
    // Closes a box that was left open (the work stopped before 100).
    void Close() { box_.reset(); }

private:
    HWND owner_;
    std::string caption_;
    std::unique_ptr<ProgressDialog> box_;
};

}  // namespace orb
