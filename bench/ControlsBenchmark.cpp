// What the player's controls cost a tick: the gameplay's action queries by name (about twenty a
// tick), the race datagram's key table, and naming the controls in a tutorial text (every tick
// while a text names one).
#include <benchmark/benchmark.h>

#include <string>

#include "input/Controls.h"
#include "input/InputService.h"
#include "utilities/Dynamic.h"

namespace {

// Every action asked once, as the characters, the movement and the zones ask in a tick.
void ActionQueriesOfATick(benchmark::State& state) {
    Input::InputService input(true);
    input.Bind();
    ZELM::DynamicCaller engine;
    engine.SetName("Engine");
    const std::string actions[] = {"gravityup", "gravitydown", "gravityleft", "gravityright", "phase",
                                   "walkleft",  "walkright",   "walkup",      "walkdown",     "pause",
                                   "restart"};
    for (auto _ : state) {
        for (const std::string& action : actions) {
            benchmark::DoNotOptimize(engine.Call<bool>("ActionDown", action));
        }
    }
    state.SetItemsProcessed(state.iterations() * 11);
}
BENCHMARK(ActionQueriesOfATick);

void ActionKeyTableOfATick(benchmark::State& state) {
    Input::InputService input(true);
    for (auto _ : state) {
        input.BeginTick();
        benchmark::DoNotOptimize(input.getActionKeystates());
    }
}
BENCHMARK(ActionKeyTableOfATick);

void NamingATutorialText(benchmark::State& state) {
    Input::Controls controls;
    controls.BindKey(Input::Controls::kPhase, 42);
    const std::string text = "Hold {gravityleft} and {phase} through the MAGENTA window, all the way!";
    for (auto _ : state) {
        benchmark::DoNotOptimize(controls.NameIn(text, false));
    }
}
BENCHMARK(NamingATutorialText);

}  // namespace
