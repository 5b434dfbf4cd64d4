// The click of the "计 算" button: read R1 and R2 from their boxes, compute
// the output voltage and show it, with its unit, in the result box.
#pragma once

#include "calc/property_access.h"

namespace tamrel {

void OnCalculateClicked(PropertyAccess& properties);

}  // namespace tamrel
