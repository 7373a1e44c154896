#include "app/StartMenuLogic.h"

namespace tomira {

void StartMenuLogic::ResetResults()
{
    mShowResults = kFalse;
    state_.ResetResults();
}

std::optional<std::string> StartMenuLogic::ConstitutionText() const
{
    if (state_.gConstitution.empty()) {
        return std::nullopt;
    }
    return state_.gConstitution + "型";
}

}  // namespace tomira
