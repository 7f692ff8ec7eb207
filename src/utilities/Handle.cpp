// The shared reference count of handles.
#include "utilities/Handle.h"

namespace ZELM {

bool ReleaseHandleReference(int* count, bool* alive) {
    if (--*count != 0) {
        return false;
    }
    const bool deleteObject = *alive;
    delete count;
    delete alive;
    return deleteObject;
}

}  // namespace ZELM
