// The services the program's code calls: property access to the edit boxes,
// the text store on the process heap, and the runtime error report.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/error_report.h"
#include "app/frame.h"
#include "app/frame_messages.h"
#include "app/tests/frame_fixture.h"
#include "app/tests/report_box.h"
#include "app/text_heap.h"
#include "calc/constant_block.h"
#include "calc/main_window_ids.h"
#include "calc/text_store.h"

namespace tamrel::app::testing {
namespace {

class PropertyAccessTest : public FrameFixture {
 protected:
  void SetUp() override {
    FrameFixture::SetUp();
    MakeFrame(ProgramSetup()).InitializeFrame();
    ASSERT_TRUE(frame().LoadWindow(kMainWindow, std::nullopt, false));
  }
  char* Read(ControlId box) {
    return frame().properties().ReadProperty(kMainWindow, box, kContentProperty, kWholeProperty);
  }
  void Write(ControlId box, const char* text) {
    frame().properties().WriteProperty(kMainWindow, box, kContentProperty, kWholeProperty, text);
  }
  std::string ShownText(ControlId box) {
    char text[64] = {};
    GetWindowTextA(Control(box), text, sizeof(text));
    return text;
  }
};

TEST_F(PropertyAccessTest, WritesReachTheBoxAndReadsCopyItsContent) {
  for (const ControlId box : {kEditBox1, kEditBox2, kEditBox3}) {
    Write(box, "123.5V");
    EXPECT_EQ(ShownText(box), "123.5V");

    const int allocations_before = TestHeap().allocations;
    char* first = Read(box);
    char* second = Read(box);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_STREQ(first, "123.5V");
    EXPECT_STREQ(second, "123.5V");
    EXPECT_NE(first, second);  // each read is a new text of the store
    EXPECT_EQ(TestHeap().allocations, allocations_before + 2);

    const int releases_before = TestHeap().releases;
    ReleaseMemory(first);
    ReleaseMemory(second);
    EXPECT_EQ(TestHeap().releases, releases_before + 2);
  }
}

TEST_F(PropertyAccessTest, AnEmptyBoxReadsAsNoText) {
  Write(kEditBox1, "7");
  Write(kEditBox1, "");
  const int allocations_before = TestHeap().allocations;
  EXPECT_EQ(Read(kEditBox1), nullptr);
  EXPECT_EQ(Read(kEditBox2), nullptr);  // never written
  EXPECT_EQ(TestHeap().allocations, allocations_before);
}

TEST_F(PropertyAccessTest, WritingNoTextEmptiesTheBox) {
  Write(kEditBox2, "720");
  Write(kEditBox2, nullptr);
  EXPECT_EQ(ShownText(kEditBox2), "");
  EXPECT_EQ(Read(kEditBox2), nullptr);
}

TEST_F(PropertyAccessTest, OnlyEditBoxesOfferTheirContent) {
  const std::string caption = ShownText(kButton1);
  Write(kButton1, "x");
  EXPECT_EQ(ShownText(kButton1), caption);
  EXPECT_EQ(Read(kButton1), nullptr);
  EXPECT_EQ(Read(kLabel1), nullptr);
}

struct AccessFault {
  const char* name;
  bool load_window;
  WindowId window;
  ControlId control;
  bool write;
  const char* message;
};

class PropertyAccessFaultTest : public FrameFixture,
                                public ::testing::WithParamInterface<AccessFault> {};

TEST_P(PropertyAccessFaultTest, ReportsTheCallersFaultAndEnds) {
  const AccessFault& fault = GetParam();
  AppFrame& frame = MakeFrame(ProgramSetup());
  frame.InitializeFrame();
  frame.SetAtExitRoutine(frame.setup().at_exit_routine);
  if (fault.load_window) {
    ASSERT_TRUE(frame.LoadWindow(kMainWindow, std::nullopt, false));
  }

  const ObservedReport report = ObserveReport([&] {
    if (fault.write) {
      frame.properties().WriteProperty(fault.window, fault.control, kContentProperty,
                                       kWholeProperty, "1");
    } else {
      ReleaseMemory(frame.properties().ReadProperty(fault.window, fault.control, kContentProperty,
                                                    kWholeProperty));
    }
  });

  EXPECT_TRUE(report.box_seen);
  EXPECT_EQ(report.caption, kReportCaption);
  EXPECT_EQ(report.text, ExpectedReportText(fault.message));
  EXPECT_TRUE(report.process_ended);
  EXPECT_EQ(report.exit_status, 0xFFFFFFFFu);
  EXPECT_EQ(Probe().at_exit_calls, 0);
  EXPECT_FALSE(frame.IsWindowOpen(kMainWindow));
}

// 未载入欲访问窗口组件所在的窗口 and 指定窗口尚未载入
const std::string kNoWindow =
    "\xCE\xB4\xD4\xD8\xC8\xEB\xD3\xFB\xB7\xC3\xCE\xCA\xB4\xB0\xBF\xDA\xD7\xE9\xBC\xFE\xCB\xF9\xD4"
    "\xDA"
    "\xB5\xC4\xB4\xB0\xBF\xDA";
const std::string kNoControl = "\xD6\xB8\xB6\xA8\xB4\xB0\xBF\xDA\xC9\xD0\xCE\xB4\xD4\xD8\xC8\xEB";

INSTANTIATE_TEST_SUITE_P(
    Faults, PropertyAccessFaultTest,
    ::testing::Values(
        AccessFault{"ReadOfUnknownWindow", true, 0x52010004, kEditBox1, false, kNoWindow.c_str()},
        AccessFault{"WriteOfUnknownWindow", true, 0x52010004, kEditBox3, true, kNoWindow.c_str()},
        AccessFault{"ReadBeforeLoading", false, kMainWindow, kEditBox1, false, kNoControl.c_str()},
        AccessFault{"WriteBeforeLoading", false, kMainWindow, kEditBox3, true, kNoControl.c_str()},
        AccessFault{"ReadOfUnknownControl", true, kMainWindow, 0x16010099, false,
                    kNoControl.c_str()},
        AccessFault{"WriteOfUnknownControl", true, kMainWindow, 0x16010099, true,
                    kNoControl.c_str()}),
    [](const ::testing::TestParamInfo<AccessFault>& info) { return info.param.name; });

using TextStoreTest = FrameFixture;

TEST_F(TextStoreTest, ReleasingNothingOrAConstantTouchesNoHeap) {
  MakeFrame(ProgramSetup()).InitializeFrame();
  const char* const inside_constants[] = {
      nullptr,
      EmptyText(),
      UnitText(),
      reinterpret_cast<const char*>(&kConstantBlock.reference_voltage),
  };
  for (const char* text : inside_constants) {
    ReleaseMemory(text);
  }
  EXPECT_EQ(TestHeap().releases, 0);

  void* block = AllocateMemory(5);
  EXPECT_EQ(TestHeap().allocations, 1);
  ReleaseMemory(block);
  EXPECT_EQ(TestHeap().releases, 1);
}

TEST_F(TextStoreTest, TheShippedStoreUsesTheProcessHeap) {
  const Heap heap = ProcessHeap();
  void* block = heap.allocate(20);
  ASSERT_NE(block, nullptr);
  EXPECT_TRUE(HeapValidate(GetProcessHeap(), 0, block));
  EXPECT_EQ(HeapSize(GetProcessHeap(), 0, block), 20u);
  heap.release(block);
}

TEST_F(TextStoreTest, ExhaustedStorageIsReportedWithTheSize) {
  AppFrame& frame = MakeFrame(ProgramSetup());
  frame.InitializeFrame();
  frame.SetAtExitRoutine(frame.setup().at_exit_routine);
  ASSERT_TRUE(frame.LoadWindow(kMainWindow, std::nullopt, false));
  TestHeap().refused_size = 20;

  const ObservedReport report = ObserveReport([] { AllocateMemory(20); });

  EXPECT_TRUE(report.box_seen);
  EXPECT_EQ(report.caption, kExpectedReportCaption);
  EXPECT_EQ(report.text, ExpectedReportText(ExpectedAllocationMessage("20")));
  EXPECT_EQ(report.exit_status, 0xFFFFFFFFu);
  EXPECT_EQ(Probe().at_exit_calls, 0);
}

TEST(AllocationFailureText, SpellsTheSizeAsASigned32BitNumber) {
  const struct {
    std::size_t size;
    const char* digits;
  } cases[] = {
      {0, "0"},
      {20, "20"},
      {2147483647u, "2147483647"},
      {2147483648u, "-2147483648"},
      {4294967295u, "-1"},
  };
  for (const auto& c : cases) {
    char message[kAllocationMessageCapacity];
    FormatAllocationFailure(c.size, message);
    EXPECT_EQ(std::string(message), ExpectedAllocationMessage(c.digits));
  }
}

TEST(ReportText, LeavesTheMessageLineOutForAnEmptyMessage) {
  char text[kReportTextCapacity];
  BuildReportText("", text);
  EXPECT_EQ(std::string(text), "\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED!\r\n\r\n");
  BuildReportText(nullptr, text);
  EXPECT_EQ(std::string(text), "\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED!\r\n\r\n");
  BuildReportText("m", text);
  EXPECT_EQ(std::string(text), ExpectedReportText("m"));
}

TEST(ReportText, CutsAnOverlongMessageAtACharacterBoundary) {
  // 错 repeated: two bytes each, far more than the box's text can hold.
  std::string message;
  for (int i = 0; i < 400; ++i) {
    message += "\xB4\xED";
  }
  char text[kReportTextCapacity];
  BuildReportText(message.c_str(), text);
  const std::string shown(text);
  ASSERT_LT(shown.size(), kReportTextCapacity);
  ASSERT_GE(shown.size(), 2u);
  EXPECT_EQ(shown.substr(shown.size() - 2), "\r\n");
  const std::string head = ExpectedReportText("");
  const std::size_t label = std::strlen(kReportMessageLabel);
  const std::size_t kept = shown.size() - head.size() - label - 2;
  EXPECT_EQ(kept % 2, 0u);
  EXPECT_EQ(shown.substr(head.size() + label, kept), message.substr(0, kept));
}

using ErrorReportTest = FrameFixture;

TEST_F(ErrorReportTest, AnEmptyMessageGivesTheShortReport) {
  AppFrame& frame = MakeFrame(ProgramSetup());
  frame.InitializeFrame();
  const ObservedReport report = ObserveReport([&] { frame.ReportRuntimeError(""); });
  EXPECT_TRUE(report.box_seen);
  EXPECT_EQ(report.text, "\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED!\r\n\r\n");
}

}  // namespace
}  // namespace tamrel::app::testing
