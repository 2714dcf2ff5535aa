#pragma once
// Start-up marks for the start-up benchmark. When the environment variable
// VC_STARTUP_TRACE names a file, each mark keeps the high-resolution
// counter's value at a phase of the start-up, and Write puts them in that
// file, a line each ("phase ticks"), where the benchmark's launcher, which
// reads the same counter, turns them into milliseconds since it started the
// program. Without the variable a mark costs one test.
namespace vc::startup_trace {

void Mark(const char* phase) noexcept;
// Once, when the window has reached its message loop.
void Write() noexcept;

}  // namespace vc::startup_trace
