#include "app/tests/frame_fixture.h"

#include "app/program_handlers.h"
#include "app/tests/report_box.h"
#include "app/tests/wait_until.h"
#include "app/text_heap.h"
#include "calc/main_window_ids.h"

namespace tamrel::app::testing {
namespace {

void EndProcessByThrowing(unsigned exit_status) { throw ProcessEnded{exit_status}; }

HandlerAnswer ProbeHandler(AppFrame& frame, const ui::EventRecord& record) {
  ProbeLog& probe = Probe();
  ++probe.depth;
  probe.calls.push_back(
      {record, probe.depth, frame.IsWindowOpen(kMainWindow), frame.suppression_count()});
  if (probe.action != nullptr) {
    probe.action(frame, record);
  }
  --probe.depth;
  return std::nullopt;
}

constexpr HandlerRoutine kProbeHandlers[] = {
    {ui::HandlerName::kOnCalculateClicked, &ProbeHandler},
};

constexpr ui::HandlerName kProbe = ui::HandlerName::kOnCalculateClicked;

// Every event that the window and its controls raise in this system.
constexpr ui::EventBinding kProbeBindings[] = {
    {0, ui::kWindowLoadedEvent, kProbe},
    {0, ui::kWindowLoadedEvent3, kProbe},
    {0, ui::kWindowLoadedEvent4, kProbe},
    {0, ui::kActivatedEvent, kProbe},
    {0, ui::kFirstActivationEvent, kProbe},
    {0, ui::kDeactivatedEvent, kProbe},
    {0, ui::kDestroyEvent, kProbe},
    {0, ui::kGotFocusEvent, kProbe},
    {kButton1, ui::kClickEvent, kProbe},
    {kButton1, ui::kGotFocusEvent, kProbe},
    {kEditBox1, ui::kContentChangedEvent, kProbe},
    {kEditBox1, ui::kGotFocusEvent, kProbe},
    {kEditBox1, ui::kLostFocusEvent, kProbe},
    {kEditBox2, ui::kContentChangedEvent, kProbe},
    {kEditBox3, ui::kContentChangedEvent, kProbe},
};

std::span<const ui::WindowDescription> MakeProbeDescriptions() {
  static const ui::WindowDescription probe = [] {
    ui::WindowDescription description = ui::ProgramWindowDescriptions()[0];
    description.bindings = kProbeBindings;
    return description;
  }();
  return {&probe, 1};
}

void* TestHeapAllocate(std::size_t size) {
  HeapLog& log = TestHeap();
  if (size == log.refused_size) {
    return nullptr;
  }
  ++log.allocations;
  return HeapAlloc(GetProcessHeap(), 0, size);
}

void TestHeapRelease(void* block) {
  ++TestHeap().releases;
  HeapFree(GetProcessHeap(), 0, block);
}

AppFrame* fixture_frame = nullptr;

void ProbeAtExit() {
  ProbeLog& probe = Probe();
  ++probe.at_exit_calls;
  if (probe.at_exit_action != nullptr && fixture_frame != nullptr) {
    probe.at_exit_action(*fixture_frame);
  }
}

void DrainThreadQueue() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message != WM_QUIT) {
      DispatchMessageW(&message);
    }
  }
}

}  // namespace

ProbeLog& Probe() {
  static ProbeLog log;
  return log;
}

HeapLog& TestHeap() {
  static HeapLog log;
  return log;
}

std::span<const ui::WindowDescription> ProbeDescriptions() { return MakeProbeDescriptions(); }
std::span<const ui::EventBinding> ProbeBindings() { return kProbeBindings; }

void FrameFixture::SetUp() {
  Probe() = ProbeLog{};
  TestHeap() = HeapLog{};
  DrainThreadQueue();
}

void FrameFixture::TearDown() {
  frame_.reset();
  fixture_frame = nullptr;
  DrainThreadQueue();
  UseHeap(ProcessHeap());
}

FrameSetup FrameFixture::ProgramSetup() {
  return FrameSetup{
      .descriptions = &ui::ProgramWindowDescriptions,
      .handlers = ProgramHandlers(),
      .heap = Heap{&TestHeapAllocate, &TestHeapRelease},
      .at_exit_routine = &ProbeAtExit,
      .end_process = &EndProcessByThrowing,
  };
}

FrameSetup FrameFixture::ProbeSetup() {
  FrameSetup setup = ProgramSetup();
  setup.descriptions = &ProbeDescriptions;
  setup.handlers = kProbeHandlers;
  return setup;
}

AppFrame& FrameFixture::MakeFrame(const FrameSetup& setup) {
  frame_ = std::make_unique<AppFrame>(setup);
  fixture_frame = frame_.get();
  return *frame_;
}

HWND FrameFixture::MainWindowHandle() const {
  const ui::Window* window = frame_->FindOpenWindow(kMainWindow);
  return window != nullptr ? window->handle() : nullptr;
}

HWND FrameFixture::Control(ControlId id) const {
  const ui::Window* window = frame_->FindOpenWindow(kMainWindow);
  return window != nullptr ? window->FindControl(id) : nullptr;
}

BoxWatcher::BoxWatcher(void (*while_open)(void*), void* context)
    : while_open_(while_open), context_(context) {
  thread_ = CreateThread(nullptr, 0, &BoxWatcher::Run, this, 0, nullptr);
}

BoxWatcher::~BoxWatcher() {
  InterlockedExchange(&stop_, 1);
  if (thread_ != nullptr) {
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
  }
}

DWORD WINAPI BoxWatcher::Run(void* self) {
  BoxWatcher& watcher = *static_cast<BoxWatcher*>(self);
  HWND box = nullptr;
  WaitUntil([&] { return watcher.stop_ != 0 || (box = FindReportBox(GetCurrentProcessId())); });
  if (box == nullptr) {
    return 0;
  }
  watcher.box_seen_ = true;
  watcher.caption_ = ReadCaption(box);
  watcher.text_ = ReadReportText(box);
  if (watcher.while_open_ != nullptr) {
    watcher.while_open_(watcher.context_);
  }
  CloseReportBox(box);
  return 0;
}

void BoxWatcher::Finish(ObservedReport& report) {
  InterlockedExchange(&stop_, 1);
  WaitForSingleObject(thread_, INFINITE);
  CloseHandle(thread_);
  thread_ = nullptr;
  report.box_seen = box_seen_;
  report.caption = caption_;
  report.text = text_;
}

}  // namespace tamrel::app::testing
