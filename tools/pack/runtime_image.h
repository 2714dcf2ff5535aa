#pragma once
// What a file given as the runtime is: only a Windows x86-64 program that
// carries the runtime's own resources (its sixteen stored skins) can become
// an e-book; anything else would give a book that never starts.
#include <string>
#include <string_view>

namespace vc::pack {

// Empty when the bytes are the runtime; otherwise what they are instead,
// as the end of a sentence ("it is empty", "it is a Linux program", ...).
std::string WhyNotTheRuntime(std::string_view bytes);

}  // namespace vc::pack
