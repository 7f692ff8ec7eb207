// Slot bookkeeping of the argument list.
#include "utilities/ArgumentList.h"

#include <cassert>

namespace ZELM {

void ArgumentList::Push(void* value, int typeId, const char* typeName) {
    assert(count < kMaxSlots);
    slots[count].value = value;
    slots[count].typeId = typeId;
    slots[count].typeName = typeName;
    ++count;
}

}  // namespace ZELM
