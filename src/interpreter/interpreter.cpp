#include "interpreter/interpreter.h"

#include "common/text.h"
#include "interpreter/command_syntax.h"

namespace vc {

void RunActionCommands(CommandHost& host, std::string_view commands, CommandSource source) {
    for (const std::string& piece : SplitList(commands, kCommandSeparator)) {
        const std::string command = TrimCommand(piece);
        if (command.empty()) continue;
        if (RunActionCommand(host, command, source) == CommandOutcome::EndOfString) return;
    }
}

}  // namespace vc
