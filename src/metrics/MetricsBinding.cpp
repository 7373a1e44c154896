// Placeholder until the calculation is built.
#include "metrics/MetricsBinding.h"

namespace tomira {

MetricsBinding::MetricsBinding(const MeasurementWidgets& widgets, modCommon& state, std::int16_t& showResults,
                               MessageService& messages)
    : widgets_(widgets), state_(state), showResults_(showResults), messages_(messages)
{
}
MetricsBinding::~MetricsBinding() = default;
void MetricsBinding::FieldLeaving(QLineEdit*) {}
void MetricsBinding::Calculate() {}
void MetricsBinding::ShowExplanation(Explanation, QWidget*) {}

}  // namespace tomira
