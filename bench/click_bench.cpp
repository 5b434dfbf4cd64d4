// The time of one click in the running program: the frame of tamrel.exe
// with MainWindow loaded, the button clicked through the platform
// (BM_CLICK) 10,000 times over the E24 pairs, and each time measured from
// the click reaching the handler to the result written into 编辑框3.
// Prints: click_median_us=M click_p99_us=P controls_median_us=C clicks=N
// where C is the part of a click spent in the edit boxes themselves (the
// reads and writes of their texts through the frame).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "app/frame.h"
#include "app/program_main.h"
#include "calc/calculate_command.h"
#include "calc/main_window_ids.h"
#include "calc/number_to_text.h"

namespace {

using tamrel::ControlId;
using tamrel::WindowId;

constexpr int kClicks = 10000;

double ticks_per_us = 1.0;
double handler_entered = 0;
double result_written = 0;
double in_controls = 0;

double Now() {
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / ticks_per_us;
}

// The frame's property access, noting when the result reaches 编辑框3 (the
// command empties it first; the result is the write of a text).
class TimedPropertyAccess final : public tamrel::PropertyAccess {
 public:
  explicit TimedPropertyAccess(tamrel::PropertyAccess& frame) : frame_(frame) {}
  char* ReadProperty(WindowId window, ControlId control, std::int32_t property,
                     std::int32_t part) override {
    const double start = Now();
    char* text = frame_.ReadProperty(window, control, property, part);
    in_controls += Now() - start;
    return text;
  }
  void WriteProperty(WindowId window, ControlId control, std::int32_t property, std::int32_t part,
                     const char* value) override {
    const double start = Now();
    frame_.WriteProperty(window, control, property, part, value);
    const double end = Now();
    in_controls += end - start;
    if (control == tamrel::kEditBox3 && value != nullptr && value[0] != '\0') {
      result_written = end;
    }
  }

 private:
  tamrel::PropertyAccess& frame_;
};

tamrel::app::HandlerAnswer TimedCalculateClicked(tamrel::app::AppFrame& frame,
                                                 const tamrel::ui::EventRecord& /*record*/) {
  handler_entered = Now();
  TimedPropertyAccess properties(frame.properties());
  tamrel::OnCalculateClicked(properties);
  return std::nullopt;
}

constexpr tamrel::app::HandlerRoutine kTimedHandlers[] = {
    {tamrel::ui::HandlerName::kOnCalculateClicked, &TimedCalculateClicked},
};

// The E24 values from 10 ohms to 1 megohm as the boxes show them.
std::vector<std::vector<char>> E24Texts() {
  constexpr int kE24[] = {10, 11, 12, 13, 15, 16, 18, 20, 22, 24, 27, 30,
                          33, 36, 39, 43, 47, 51, 56, 62, 68, 75, 82, 91};
  std::vector<std::vector<char>> texts;
  char text[tamrel::kNumberTextCapacity];
  for (int decade = 1; decade <= 100000; decade *= 10) {
    for (const int tenths : kE24) {
      tamrel::FormatNumber(static_cast<double>(tenths * decade), text);
      texts.emplace_back(text, text + std::strlen(text) + 1);
    }
  }
  tamrel::FormatNumber(1e6, text);
  texts.emplace_back(text, text + std::strlen(text) + 1);
  return texts;
}

double Percentile(std::vector<double> values, double fraction) {
  std::sort(values.begin(), values.end());
  const auto at = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1));
  return values[at];
}

}  // namespace

int main() {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  ticks_per_us = static_cast<double>(frequency.QuadPart) / 1e6;

  tamrel::app::FrameSetup setup = tamrel::app::ShippedFrameSetup();
  setup.handlers = kTimedHandlers;
  tamrel::app::AppFrame frame(setup);
  frame.InitializeFrame();
  tamrel::app::ResetFloatingPointUnit();
  if (!frame.LoadWindow(tamrel::kMainWindow, std::nullopt, false)) {
    std::fprintf(stderr, "MainWindow did not load\n");
    return 1;
  }
  const tamrel::ui::Window* window = frame.FindOpenWindow(tamrel::kMainWindow);
  const HWND button = window->FindControl(tamrel::kButton1);

  const std::vector<std::vector<char>> texts = E24Texts();
  std::vector<double> times;
  std::vector<double> control_times;
  times.reserve(kClicks);
  control_times.reserve(kClicks);
  for (int click = 0; click < kClicks; ++click) {
    const std::size_t pair = static_cast<std::size_t>(click) % (texts.size() * texts.size());
    frame.properties().WriteProperty(tamrel::kMainWindow, tamrel::kEditBox1,
                                     tamrel::kContentProperty, tamrel::kWholeProperty,
                                     texts[pair / texts.size()].data());
    frame.properties().WriteProperty(tamrel::kMainWindow, tamrel::kEditBox2,
                                     tamrel::kContentProperty, tamrel::kWholeProperty,
                                     texts[pair % texts.size()].data());
    handler_entered = result_written = in_controls = 0;
    SendMessageW(button, BM_CLICK, 0, 0);
    if (handler_entered == 0 || result_written < handler_entered) {
      std::fprintf(stderr, "click %d did not reach the handler and the result box\n", click);
      return 1;
    }
    times.push_back(result_written - handler_entered);
    control_times.push_back(in_controls);
  }

  // A last look that the clicks calculated: 240 and 720 give 5.036V.
  frame.properties().WriteProperty(tamrel::kMainWindow, tamrel::kEditBox1, tamrel::kContentProperty,
                                   tamrel::kWholeProperty, "240");
  frame.properties().WriteProperty(tamrel::kMainWindow, tamrel::kEditBox2, tamrel::kContentProperty,
                                   tamrel::kWholeProperty, "720");
  SendMessageW(button, BM_CLICK, 0, 0);
  const tamrel::OwnedText shown(frame.properties().ReadProperty(
      tamrel::kMainWindow, tamrel::kEditBox3, tamrel::kContentProperty, tamrel::kWholeProperty));
  if (shown.absent() || std::strcmp(shown.get(), "5.036V") != 0) {
    std::fprintf(stderr, "the result box shows %s, not 5.036V\n",
                 shown.absent() ? "nothing" : shown.get());
    return 1;
  }
  std::printf("click_median_us=%.2f click_p99_us=%.2f controls_median_us=%.2f clicks=%d\n",
              Percentile(times, 0.5), Percentile(times, 0.99), Percentile(control_times, 0.5),
              kClicks);
  return 0;
}
