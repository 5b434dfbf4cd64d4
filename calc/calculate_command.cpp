#include "calc/calculate_command.h"

#include "calc/constant_block.h"
#include "calc/main_window_ids.h"
#include "calc/output_voltage.h"
#include "calc/text_store.h"
#include "calc/text_to_number.h"

namespace tamrel {
namespace {

double ReadResistance(PropertyAccess& properties, ControlId box) {
  const OwnedText text(properties.ReadProperty(kMainWindow, box, kContentProperty, kWholeProperty));
  return TextToNumber(text.absent() ? EmptyText() : text.get());
}

}  // namespace

void OnCalculateClicked(PropertyAccess& properties) {
  properties.WriteProperty(kMainWindow, kEditBox3, kContentProperty, kWholeProperty, EmptyText());
  const double r1 = ReadResistance(properties, kEditBox1);
  const double r2 = ReadResistance(properties, kEditBox2);
  const double vout = ComputeOutputVoltage(r1, r2);
  const OwnedText result(FormatOutputVoltage(vout));
  properties.WriteProperty(kMainWindow, kEditBox3, kContentProperty, kWholeProperty, result.get());
}

}  // namespace tamrel
