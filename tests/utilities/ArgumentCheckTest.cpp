// The argument check of calls by name: which calls are refused and the exact messages they raise.
#include <string>

#include <gtest/gtest.h>

#include "engine/EntityHandle.h"
#include "support/ProblemCapture.h"
#include "utilities/Dynamic.h"

using ZELMTest::ProblemCapture;

struct Source {
    float x, y, power, radius, magnitude;
};

class Target : public ZELM::DynamicBinder, public ZELM::DynamicCaller {
public:
    Target() { SetName("ArgumentChecks"); }
    void Gravity(float a, float b, Source source) {
        ++calls;
        last = a + b + source.x;
    }
    void One(int value) {
        ++calls;
        last = static_cast<float>(value);
    }
    void None() { ++calls; }
    void Quiet(double) { ++calls; }
    void Handle(ZELM::EntityHandle) { ++calls; }
    int calls = 0;
    float last = 0.0f;
};

class ArgumentCheck : public ::testing::Test {
protected:
    void SetUp() override {
        target.Bind("Gravity", &target, &Target::Gravity);
        target.Bind("One", &target, &Target::One);
        target.Bind("None", &target, &Target::None);
        target.Bind("Handle", &target, &Target::Handle);
        target.Bind("Quiet", &target, &Target::Quiet);
    }
    ProblemCapture problems;
    Target target;
    Source source{1.0f, 2.0f, 3.0f, 4.0f, 5.0f};
};

TEST_F(ArgumentCheck, MatchingCallsInvokeWithoutReport) {
    target.Call("Gravity", 0.0f, 1.0f, source);
    target.Call("One", 3);
    target.Call("None");
    target.Call("Handle", ZELM::EntityHandle());
    EXPECT_EQ(target.calls, 4);
    EXPECT_EQ(problems.Count(), 0u);
}

TEST_F(ArgumentCheck, OneWrongTypeGivesOnlyItsLine) {
    target.Call("Gravity", 0.0f, 1, source);
    ASSERT_EQ(problems.Count(), 1u);
    EXPECT_EQ(problems.Last().message, "\n\nSecond parameter expected: float given int");
    EXPECT_EQ(target.calls, 0) << "a refused call must not invoke the method";
}

TEST_F(ArgumentCheck, EveryMismatchAndTheCountAreListedInOneMessage) {
    target.Call("Gravity", 1, 2.0, std::string("x"), 4);
    ASSERT_EQ(problems.Count(), 1u);
    EXPECT_EQ(problems.Last().message,
              "\n\nFirst parameter expected: float given int"
              "\n\nSecond parameter expected: float given double"
              "\n\nThird parameter expected: UNREGISTERED given std::string"
              "\n\nExpected 3 parameters!");

    target.Call("One");
    EXPECT_EQ(problems.Last().message, "\n\nExpected 1 parameter!");
    target.Call("None", 1u);
    EXPECT_EQ(problems.Last().message, "\n\nExpected 0 parameters!");
    target.Call("One", 2u, 3u);
    EXPECT_EQ(problems.Last().message, "\n\nFirst parameter expected: int given unsigned\n\nExpected 1 parameter!");
    target.Call("Handle", 1.0f);
    EXPECT_EQ(problems.Last().message, "\n\nFirst parameter expected: ZELM::EntityHandle given float");
    EXPECT_EQ(target.calls, 0);
}

TEST_F(ArgumentCheck, TheReportNamesTheDelegateSignature) {
    target.Call("Gravity", 0.0f, 1, source);
    ASSERT_EQ(problems.Count(), 1u);
    EXPECT_EQ(problems.Last().function, "ZELM::DelegateImpl<void,class Target,float,float,class Source,void>::Compare");
    target.Call("None", 1);
    EXPECT_EQ(problems.Last().function, "ZELM::DelegateImpl<void,class Target,void,void,void,void>::Compare");
}

TEST_F(ArgumentCheck, IgnoreSilencesOnlyThatSignaturesCheck) {
    problems.SetAnswer(ZELM::ProblemChoice::Ignore);
    target.Call("Quiet", 1.0f);
    target.Call("Quiet", 2.0f);
    EXPECT_EQ(problems.Count(), 1u);
    EXPECT_EQ(target.calls, 0) << "a silenced check still refuses the call";
    target.Call("None", 1);
    EXPECT_EQ(problems.Count(), 2u);
}


// A list's own copies (strings from literals, the arguments of calls that run later) live exactly
// as long as the list that holds them, moves included.
TEST(ArgumentListCopies, EachCopyIsDestroyedOnceByTheListHoldingIt) {
    struct Counted {
        explicit Counted(int* ends) : ends(ends) {}
        Counted(const Counted& other) = default;
        ~Counted() { ++*ends; }
        int* ends;
    };
    int ends = 0;
    const Counted original(&ends);
    {
        ZELM::ArgumentList first;
        first.AddCopy(original);
        first.AddCopy(original);
        first.AddCopy(std::string("a literal"));
        ZELM::ArgumentList moved(std::move(first));
        EXPECT_EQ(ends, 0);
        ASSERT_EQ(moved.Size(), 3u);
        EXPECT_EQ(moved.Get<std::string>(2), "a literal");

        ZELM::ArgumentList replaced;
        replaced.AddCopy(original);
        replaced = std::move(moved);  // its own copy ends here, the moved ones live on
        EXPECT_EQ(ends, 1);
        EXPECT_EQ(replaced.Get<Counted>(0).ends, &ends);
    }
    EXPECT_EQ(ends, 3);
}
