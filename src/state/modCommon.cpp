#include "state/modCommon.h"

namespace tomira {

void modCommon::ResetResults()
{
    QuestionnaireClosed();
    gBMI = 0.0;
    gIdealWeight = 0.0;
    gFatMass = 0.0;
    gConstitution.clear();
    gBodyType.clear();
}

}  // namespace tomira
