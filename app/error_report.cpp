#include "app/error_report.h"

#include <windows.h>

#include <cstring>
#include <utility>

#include "app/frame.h"
#include "app/frame_messages.h"
#include "app/gbk_text.h"

namespace tamrel::app {
namespace {

constexpr char kLineEnd[] = "\r\n";

class TextBuilder {
 public:
  explicit TextBuilder(char (&text)[kReportTextCapacity]) : text_(text) { text_[0] = '\0'; }
  void Append(const char* part) { AppendPrefix(part, std::strlen(part)); }
  void AppendPrefix(const char* part, std::size_t length) {
    std::memcpy(text_ + length_, part, length);
    length_ += length;
    text_[length_] = '\0';
  }
  std::size_t length() const { return length_; }

 private:
  char (&text_)[kReportTextCapacity];
  std::size_t length_ = 0;
};

}  // namespace

void BuildReportText(const char* message, char (&text)[kReportTextCapacity]) {
  TextBuilder builder(text);
  builder.Append(kReportHeading);
  builder.Append(kLineEnd);
  builder.Append(kLineEnd);
  if (message != nullptr && message[0] != '\0') {
    builder.Append(kReportMessageLabel);
    const std::size_t room = kReportTextCapacity - 1 - builder.length() - (sizeof(kLineEnd) - 1);
    builder.AppendPrefix(message, GbkPrefixLength(message, room));
    builder.Append(kLineEnd);
  }
}

void AppFrame::ReportRuntimeError(const char* message) {
  ++suppression_count_;
  // A second failure while the box is open (the user can still type) has
  // nothing new to say: the first report is already on the screen.
  if (!std::exchange(reporting_, true)) {
    char text[kReportTextCapacity];
    BuildReportText(message, text);
    wchar_t wide_text[kReportTextCapacity];
    GbkToWide(text, wide_text, kReportTextCapacity);
    wchar_t wide_caption[sizeof(kReportCaption)];
    GbkToWide(kReportCaption, wide_caption, sizeof(kReportCaption));
    MessageBoxW(nullptr, wide_text, wide_caption, MB_OK | MB_ICONHAND);
  }
  at_exit_routine_ = nullptr;
  EndProgram();
  constexpr unsigned kReportExitStatus = 0xFFFFFFFFu;
  setup_.end_process(kReportExitStatus);
  ExitProcess(kReportExitStatus);
}

}  // namespace tamrel::app
