#include "commands/command_table.h"

namespace {

bool ValidAction(int32_t action) { return action >= 0 && action < ActionCount; }

}  // namespace

void TCommandTable::Bind(int32_t action, TCommand command) {
    if (ValidAction(action)) FCommands[action] = std::move(command);
}

bool TCommandTable::IsBound(int32_t action) const { return ValidAction(action) && FCommands[action] != nullptr; }

std::vector<int32_t> TCommandTable::Unbound() const {
    std::vector<int32_t> unbound;
    for (int32_t i = 0; i < ActionCount; ++i)
        if (!FCommands[i]) unbound.push_back(i);
    return unbound;
}

bool TCommandTable::Run(int32_t action) {
    if (!IsBound(action)) return false;
    // A copy: the command may rebind its own action while it runs.
    const TCommand command = FCommands[action];
    command();
    return true;
}

bool TCommandTable::Execute(int32_t action, const TCommand& prepare) {
    if (action == -1 || FExecuting) return false;
    struct TRunning {
        bool& Flag;
        explicit TRunning(bool& flag) : Flag(flag) { Flag = true; }
        ~TRunning() { Flag = false; }
    } running(FExecuting);
    if (prepare) prepare();
    return Run(action);
}
