// The argument-check message shared by every delegate signature.
#include "utilities/DelegateImpl.h"

namespace ZELM {
namespace {

const char* const kOrdinals[] = {"First", "Second", "Third", "Fourth", "Fifth", "Sixth", "Seventh", "Eighth"};

}  // namespace

std::string CompareMessage(const int* expectedIds, const char* const* expectedNames, std::size_t expectedCount,
                           const ArgumentList& given) {
    std::string message;
    const std::size_t compared = expectedCount < given.Size() ? expectedCount : given.Size();
    for (std::size_t i = 0; i < compared; ++i) {
        if (given[i].typeId != expectedIds[i]) {
            message += "\n\n";
            message += kOrdinals[i];
            message += " parameter expected: ";
            message += expectedNames[i];
            message += " given ";
            message += given[i].typeName;
        }
    }
    if (given.Size() != expectedCount) {
        message += "\n\nExpected " + std::to_string(expectedCount) +
                   (expectedCount == 1 ? " parameter!" : " parameters!");
    }
    return message;
}

}  // namespace ZELM
