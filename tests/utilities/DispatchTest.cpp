// Calls by name: the three ways of calling, name normalisation, results and shared tables.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/DelayedCallQueue.h"
#include "support/ProblemCapture.h"
#include "utilities/Dynamic.h"

namespace {

using ZELMTest::ProblemCapture;

struct Record {
    float x = 0.0f;
    int n = 0;
};

// An object that is both binder and caller, as entities and components are.
class Probe : public ZELM::DynamicBinder, public ZELM::DynamicCaller {
public:
    explicit Probe(const std::string& tableName, std::vector<std::string>* log = nullptr, std::string tag = "")
        : log(log), tag(std::move(tag)) {
        SetName(tableName);
    }

    void Note() { log->push_back(tag); }
    void SetX(float value) { x = value; }
    void SetXFrom(const float& value) { x = value; }
    void Double(float& value) { value *= 2.0f; }
    float GetX() const { return x; }
    const std::string& GetLabel() const { return label; }
    Probe* Self() { return this; }
    Record MakeRecord(int n) { return Record{x, n}; }
    void Fill(bool& flag, int& count) {
        flag = true;
        count = 7;
    }
    void SetLabel(const std::string& value) { label = value; }
    int Sum(int a, int b, int c, int d) { return a + b + c + d; }

    std::vector<std::string>* log;
    std::string tag;
    float x = 0.0f;
    std::string label = "probe";
};

class Derived : public Probe {
public:
    using Probe::Probe;
};

TEST(Dispatch, NamesAreNormalisedBeforeBindingAndLookup) {
    ProblemCapture problems;
    Probe probe("DispatchNames");
    probe.Bind("Set X", &probe, &Probe::SetX);
    probe.Bind("GetX", &probe, &Probe::GetX);

    probe.Call("set_x", 1.5f);
    EXPECT_EQ(probe.x, 1.5f);
    probe.Call("SET_X", 2.5f);
    EXPECT_EQ(probe.x, 2.5f);
    EXPECT_EQ(probe.Call<float>("getx"), 2.5f);
    EXPECT_EQ(probe.Call<float>("GETX"), 2.5f);
    EXPECT_EQ(problems.Count(), 0u);

    // A space matches an underscore there, never the name without it.
    probe.Call("SetX", 9.0f);
    ASSERT_EQ(problems.Count(), 1u);
    EXPECT_EQ(problems.Last().message, "Could not find any bound method(s) named \"SetX\"!");
    EXPECT_EQ(problems.Last().function, "ZELM::DynamicCaller::Call");
    EXPECT_EQ(probe.x, 2.5f);
}

TEST(Dispatch, BroadcastReachesEveryBindingInOrderAndImmediateOnlyTheLatest) {
    ProblemCapture problems;
    std::vector<std::string> log;
    Probe first("DispatchKinds", &log, "first");
    Probe second("DispatchKinds", &log, "second");
    first.BindBroadcast("Note", &first, &Probe::Note);
    second.BindBroadcast("Note", &second, &Probe::Note);
    first.Bind("Ping", &first, &Probe::Note);
    second.Bind("Ping", &second, &Probe::Note);

    first.CallAll("note");
    EXPECT_EQ(log, (std::vector<std::string>{"first", "second"}));
    log.clear();
    first.Call("ping");
    EXPECT_EQ(log, (std::vector<std::string>{"second"}));

    // A call reaches only bindings of its own kind.
    log.clear();
    first.CallAll("Ping");
    first.CallAll("NothingBound");
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(problems.Count(), 0u);
    first.Call("Note");
    EXPECT_EQ(problems.Count(), 1u);
    EXPECT_TRUE(log.empty());
}

TEST(Dispatch, ObjectsOfOneNameShareOneTable) {
    ProblemCapture problems;
    Probe binder("DispatchShared");
    ZELM::DynamicCaller caller;
    caller.SetName("DispatchShared");
    binder.Bind("SetX", &binder, &Probe::SetX);
    caller.Call("SetX", 4.0f);
    EXPECT_EQ(binder.x, 4.0f);

    Probe stranger("DispatchOther");
    stranger.Call("SetX", 5.0f);
    EXPECT_EQ(binder.x, 4.0f);
    EXPECT_EQ(problems.Count(), 1u);

    // Removing the name empties the table for everyone who shares it.
    binder.RemoveName();
    EXPECT_FALSE(ZELM::DynamicBase::IsNameInUse("DispatchShared"));
    caller.Call("SetX", 6.0f);
    EXPECT_EQ(binder.x, 4.0f);
    EXPECT_EQ(problems.Count(), 2u);
}

TEST(Dispatch, ResultsComeBackInTheReturnSlot) {
    ProblemCapture problems;
    Probe probe("DispatchResults");
    probe.Bind("GetX", &probe, &Probe::GetX);
    probe.Bind("GetLabel", &probe, &Probe::GetLabel);
    probe.Bind("Self", &probe, &Probe::Self);
    probe.Bind("MakeRecord", &probe, &Probe::MakeRecord);
    probe.Bind("Sum", &probe, &Probe::Sum);
    probe.x = 3.25f;

    EXPECT_EQ(probe.Call<float>("GetX"), 3.25f);
    EXPECT_EQ(probe.Call<std::string>("GetLabel"), "probe");
    EXPECT_EQ(probe.Call<Probe*>("Self"), &probe);
    const Record record = probe.Call<Record>("MakeRecord", 9);
    EXPECT_EQ(record.x, 3.25f);
    EXPECT_EQ(record.n, 9);
    EXPECT_EQ(probe.Call<int>("Sum", 1, 2, 3, 4), 10);
    EXPECT_EQ(problems.Count(), 0u);

    // Nothing bound: the slot keeps its default.
    EXPECT_EQ(probe.Call<float>("Missing"), 0.0f);
    EXPECT_EQ(probe.Call<Probe*>("AlsoMissing"), nullptr);
    EXPECT_EQ(problems.Count(), 2u);

    // A result of another type than asked is reported and not written.
    EXPECT_EQ(probe.Call<int>("GetX"), 0);
    ASSERT_EQ(problems.Count(), 3u);
    EXPECT_NE(problems.Last().message.find("Result expected: int given float"), std::string::npos);
}

TEST(Dispatch, ReferenceParametersWriteBackAndLiteralsTravelAsStrings) {
    ProblemCapture problems;
    Probe probe("DispatchReferences");
    probe.Bind("Fill", &probe, &Probe::Fill);
    probe.Bind("SetLabel", &probe, &Probe::SetLabel);

    bool flag = false;
    int count = 0;
    probe.Call("Fill", flag, count);
    EXPECT_TRUE(flag);
    EXPECT_EQ(count, 7);

    probe.Call("SetLabel", "from a literal");
    EXPECT_EQ(probe.label, "from a literal");
    const std::string text = "from a string";
    probe.Call("SetLabel", text);
    EXPECT_EQ(probe.label, "from a string");
    EXPECT_EQ(problems.Count(), 0u);
}

TEST(Dispatch, BaseClassMethodsBindThroughADerivedObject) {
    ProblemCapture problems;
    Derived derived("DispatchDerived");
    derived.Bind("SetX", &derived, &Probe::SetX);
    derived.Call("SetX", 8.0f);
    EXPECT_EQ(derived.x, 8.0f);
    EXPECT_EQ(problems.Count(), 0u);
}

TEST(Dispatch, ADestroyedBinderIsNoLongerReached) {
    ProblemCapture problems;
    std::vector<std::string> log;
    Probe caller("DispatchLifetime", &log, "caller");
    {
        Probe gone("DispatchLifetime", &log, "gone");
        gone.BindBroadcast("Note", &gone, &Probe::Note);
        gone.Bind("Ping", &gone, &Probe::Note);
        gone.BindDeferred("Later", &gone, &Probe::Note);
        caller.CallLater("Later", 0.0f);
    }
    caller.CallAll("Note");
    caller.Call("Ping");
    ZELM::DelayedCallQueue::Instance().Advance(0.0f);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(problems.Count(), 1u);  // the immediate call finds nothing
    ZELM::DelayedCallQueue::DestroyInstance();
}

TEST(Dispatch, UnbindAllWithdrawsOnlyThatBindersMethods) {
    std::vector<std::string> log;
    Probe keep("DispatchUnbind", &log, "keep");
    Probe drop("DispatchUnbind", &log, "drop");
    keep.BindBroadcast("Note", &keep, &Probe::Note);
    drop.BindBroadcast("Note", &drop, &Probe::Note);
    drop.UnbindAll();
    keep.CallAll("Note");
    EXPECT_EQ(log, (std::vector<std::string>{"keep"}));
}

TEST(Dispatch, ManyNamesStayReachableAsTheTableGrowsAndAfterAnotherBinderWithdraws) {
    std::vector<std::string> log;
    Probe keep("DispatchMany", &log, "keep");
    Probe drop("DispatchMany", &log, "drop");
    for (int i = 0; i < 40; ++i) {
        keep.Bind("Kept Method " + std::to_string(i), &keep, &Probe::Note);
        drop.Bind("Dropped Method " + std::to_string(i), &drop, &Probe::Note);
    }
    drop.UnbindAll();
    const ZELM::MethodName kept("kept_method_39");
    for (int i = 0; i < 40; ++i) {
        EXPECT_TRUE(keep.IsBound("KEPT_METHOD_" + std::to_string(i))) << i;
        EXPECT_FALSE(keep.IsBound("Dropped Method " + std::to_string(i))) << i;
    }
    keep.Call(kept);
    keep.Call(kept);
    EXPECT_EQ(log, (std::vector<std::string>{"keep", "keep"}));
}

// A remembered broadcast reaches each method with the caller's values, through any base class,
// and still refuses arguments of the wrong type every time.
TEST(Dispatch, RememberedBroadcastsPassValuesAndCheckTypes) {
    ProblemCapture problems;
    Probe probe("DispatchRemembered");
    Derived derived("DispatchRemembered");
    probe.BindBroadcast("SetX", &probe, &Probe::SetX);
    derived.BindBroadcast("SetX", &derived, &Probe::SetX);
    for (const float x : {1.5f, -2.0f}) {
        probe.CallAll("SetX", x);
        EXPECT_EQ(probe.x, x);
        EXPECT_EQ(derived.x, x);
    }
    probe.CallAll("SetX", 3);
    probe.CallAll("SetX", 3);
    EXPECT_EQ(probe.x, -2.0f);
    EXPECT_EQ(derived.x, -2.0f);
    EXPECT_EQ(problems.Count(), 4u);
}

// A remembered call hands its arguments over as copies, without a list, only where every method
// reached takes them by value or const reference: one that writes back must still write back.
TEST(Dispatch, RememberedCallsHandOverCopiesOnlyWhereNoMethodWritesBack) {
    Probe probe("DispatchCopies");
    Probe other("DispatchCopies");
    probe.BindBroadcast("Place", &probe, &Probe::SetX);
    other.BindBroadcast("Place", &other, &Probe::SetXFrom);
    probe.BindBroadcast("Grow", &probe, &Probe::SetX);
    other.BindBroadcast("Grow", &other, &Probe::Double);
    other.Bind("Twice", &other, &Probe::Double);
    for (const float start : {1.5f, 4.0f}) {
        probe.CallAll("Place", start);
        EXPECT_EQ(probe.x, start);
        EXPECT_EQ(other.x, start);
        float grown = start;
        probe.CallAll("Grow", grown);
        EXPECT_EQ(probe.x, start);
        EXPECT_EQ(grown, 2.0f * start);
        probe.Call("Twice", grown);
        EXPECT_EQ(grown, 4.0f * start);
    }
}

// A probe whose broadcast method also runs a hook, for callees that change bindings mid-broadcast.
class Hooked : public Probe {
public:
    using Probe::Probe;
    void NoteAndHook() {
        Note();
        if (hook) {
            hook();
        }
    }
    std::function<void()> hook;
};

// A caller remembers what its broadcasts found; every change of bindings, before a broadcast or
// by one of its own callees, must be seen exactly as a fresh walk of the list would see it.
TEST(Dispatch, RepeatedBroadcastsFollowEveryChangeOfBindingsEvenByTheirOwnCallees) {
    std::vector<std::string> log;
    Hooked a("DispatchMemo", &log, "a");
    Hooked b("DispatchMemo", &log, "b");
    a.BindBroadcast("Note", &a, &Hooked::NoteAndHook);
    b.BindBroadcast("Note", &b, &Hooked::NoteAndHook);
    auto broadcast = [&] {
        log.clear();
        a.CallAll("Note");
        return log;
    };
    using Log = std::vector<std::string>;
    EXPECT_EQ(broadcast(), (Log{"a", "b"}));
    EXPECT_EQ(broadcast(), (Log{"a", "b"}));

    auto c = std::make_unique<Hooked>("DispatchMemo", &log, "c");
    c->BindBroadcast("Note", c.get(), &Hooked::NoteAndHook);
    EXPECT_EQ(broadcast(), (Log{"a", "b", "c"}));
    c.reset();
    EXPECT_EQ(broadcast(), (Log{"a", "b"}));

    // The first callee binds one more: reached in the same broadcast, after the others.
    Hooked d("DispatchMemo", &log, "d");
    a.hook = [&] {
        a.hook = nullptr;
        d.BindBroadcast("Note", &d, &Hooked::NoteAndHook);
    };
    EXPECT_EQ(broadcast(), (Log{"a", "b", "d"}));
    d.UnbindAll();

    // The first callee withdraws its own binding: the second is still reached, then never the first.
    a.hook = [&] { a.UnbindAll(); };
    EXPECT_EQ(broadcast(), (Log{"a", "b"}));
    EXPECT_EQ(broadcast(), (Log{"b"}));

    // The callee broadcasts another name through the same caller (possibly sharing its memo):
    // the outer broadcast still reaches its own delegates.
    a.BindBroadcast("Note", &a, &Hooked::NoteAndHook);
    a.hook = nullptr;
    for (int i = 0; i < 4; ++i) {
        const std::string other = "Other Note " + std::to_string(i);
        a.BindBroadcast(other, &a, &Probe::Note);
        b.hook = [&a, other] { a.CallAll(other); };
        EXPECT_EQ(broadcast(), (Log{"b", "a", "a"})) << other;
    }
}

// A caller remembers the method its immediate calls found; each change of bindings or of the
// caller's table must be seen by the very next call, and a remembered method still checks types.
TEST(Dispatch, RepeatedImmediateCallsFollowEveryChangeOfBindings) {
    ProblemCapture problems;
    std::vector<std::string> log;
    Probe caller("DispatchImmediateMemo", &log, "caller");
    auto a = std::make_unique<Probe>("DispatchImmediateMemo", &log, "a");
    Probe b("DispatchImmediateMemo", &log, "b");
    Probe elsewhere("DispatchImmediateMemoOther", &log, "elsewhere");
    elsewhere.Bind("Ping", &elsewhere, &Probe::Note);
    a->Bind("SetX", a.get(), &Probe::SetX);
    struct Step {
        const char* what;
        std::function<void()> change;
        std::vector<std::string> reached;
        std::size_t problems;
    };
    const std::vector<Step> steps = {
        {"first binding", [&] { a->Bind("Ping", a.get(), &Probe::Note); }, {"a"}, 0},
        {"nothing changed", [] {}, {"a"}, 0},
        {"a later binding replaces it", [&] { b.Bind("Ping", &b, &Probe::Note); }, {"b"}, 0},
        {"its binder withdraws", [&] { b.UnbindAll(); }, {}, 1},
        {"bound again", [&] { a->Bind("Ping", a.get(), &Probe::Note); }, {"a"}, 1},
        {"the caller takes another table", [&] { caller.SetName("DispatchImmediateMemoOther"); }, {"elsewhere"}, 1},
        {"and comes back", [&] { caller.SetName("DispatchImmediateMemo"); }, {"a"}, 1},
        {"its binder is destroyed", [&] { a.reset(); }, {}, 2},
    };
    for (const Step& step : steps) {
        step.change();
        log.clear();
        caller.Call("Ping");
        EXPECT_EQ(log, step.reached) << step.what;
        EXPECT_EQ(problems.Count(), step.problems) << step.what;
    }

    b.Bind("SetX", &b, &Probe::SetX);
    for (int i = 0; i < 2; ++i) {
        caller.Call("SetX", 3);
    }
    caller.Call("SetX", 2.5f);
    EXPECT_EQ(b.x, 2.5f);
    EXPECT_EQ(problems.Count(), 4u);
}

}  // namespace
