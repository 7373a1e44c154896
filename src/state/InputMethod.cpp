#include "state/InputMethod.h"

namespace tomira {

ImeFramework FrameworkOfModule(std::string_view moduleName)
{
    // The fcitx5 module answers to both names.
    if (moduleName == "fcitx" || moduleName == "fcitx5") {
        return ImeFramework::Fcitx5;
    }
    if (moduleName == "ibus") {
        return ImeFramework::IBus;
    }
    return ImeFramework::None;
}

}  // namespace tomira
