#include "app/StartMenuLogic.h"

#include "state/modConvert.h"

namespace tomira {

void StartMenuLogic::InitMainWindow()
{
    mShowResults = kFalse;
    state_.ResetResults();
}

void StartMenuLogic::ClearResults()
{
    state_.ResetResults();
    mShowResults = kFalse;
}

std::optional<std::string> StartMenuLogic::ConstitutionText() const
{
    if (ToStrSafe(Variant(state_.gConstitution)).empty()) {
        return std::nullopt;
    }
    return state_.gConstitution + "型";
}

}  // namespace tomira
