// Where the C++ objects of the frame and the controls get their storage:
// the process heap, like the texts. The program's own operator new takes
// from it and, when it has nothing left, ends in the allocation failure
// report for the size asked, as a text would; no exception ever leaves
// through a window procedure.
#pragma once

#include "calc/text_store.h"

namespace tamrel::app {

// The heap behind operator new; a test program may put its own in place
// before it makes anything (it must release to the process heap).
Heap& ObjectHeap();

}  // namespace tamrel::app
