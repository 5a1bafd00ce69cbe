// Times a script's `Work` function, called again and again on one host.
#pragma once

#include <benchmark/benchmark.h>

#include <span>

#include "vbscript/Variant.h"

namespace chartorium::vbscript {

/// Adds `code` to a host without a time-out and runs its `Work` with `args` for every
/// iteration; a script error ends the benchmark with the error's description.
void RunScriptWork(benchmark::State& state, const char* code, std::span<const Variant> args = {});

}  // namespace chartorium::vbscript
