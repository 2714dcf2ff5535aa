#pragma once
// Entry point of the command interpreter: runs the command strings of pages,
// menu items and the start-up line against the window.
#include <string_view>

#include "interpreter/command_host.h"
#include "interpreter/command_set.h"

namespace vc {

// Runs every action command of the string, left to right. Unknown or empty
// commands are skipped silently. An error raised by an effect ends the string
// and reaches the caller, with the effects before it kept. "APPLICATIONEXIT()"
// closes the window and returns normally, skipping the rest.
void RunActionCommands(CommandHost& host, std::string_view commands,
                       CommandSource source = CommandSource::Book);

}  // namespace vc
