// One pending call of the deferred methods of a name, with its own copy of the arguments.
#pragma once

#include <memory>
#include <string>

#include "utilities/ArgumentList.h"
#include "utilities/MethodName.h"

namespace ZELM {

struct MethodTable;

class DelayedCall {
public:
    // Refers to the deferred methods bound under `method` in the table (not a copy of them).
    DelayedCall(std::weak_ptr<MethodTable> table, MethodName method, ArgumentList arguments, float delayMs);

    // Counts the frame time down; true once the delay has run out.
    bool Advance(float dtMs);
    // Invokes, in binding order, the delegates bound under the name at this moment; a table that
    // has been removed meanwhile has nothing left to call.
    void Fire();

    float GetRemaining() const { return remaining; }

private:
    std::weak_ptr<MethodTable> table;
    MethodName method;
    ArgumentList arguments;
    float remaining;
};

}  // namespace ZELM
