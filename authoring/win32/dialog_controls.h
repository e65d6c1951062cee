// Reading and writing a dialog's standard controls by id: edit boxes as text or
// numbers, trackbar sliders, up-down spinners and check boxes.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace orb {

// At most 255 characters.
std::string ItemText(HWND dialog, int id);
// The box's leading decimal number; 0 when it holds none (an emptied box).
std::int32_t ItemNumber(HWND dialog, int id);
void SetItemNumber(HWND dialog, int id, std::int32_t value);

void SetSliderRange(HWND dialog, int id, int low, int high);
int SliderPosition(HWND dialog, int id);
// The slider keeps the position within its range.
void SetSliderPosition(HWND dialog, int id, int position);

void SetSpinner(HWND dialog, int id, int low, int high, int position);

bool IsChecked(HWND dialog, int id);
void SetChecked(HWND dialog, int id, bool checked);

}  // namespace orb
