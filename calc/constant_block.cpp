#include "calc/constant_block.h"

#include "calc/text_store.h"

namespace tamrel {

const ConstantBlock kConstantBlock = {
    "",      1.0,
    1.25,     // exact: 3FF4000000000000
    0.00005,  // the double nearest: 3F0A36E2EB1C432D
    "V",
};

void RegisterProgramConstants() { RegisterConstantBlock(&kConstantBlock, &kConstantBlock + 1); }

}  // namespace tamrel
