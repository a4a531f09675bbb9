#include "framework/persistence/SaveTrouble.h"

#include <utility>

namespace GameFramework {

SaveTrouble::SaveTrouble(std::string userFolder) : userFolder_(std::move(userFolder)) {}

void SaveTrouble::Report(Kind kind)
{
    if (kind_ == Kind::kNone)
        kind_ = kind;
}

} // namespace GameFramework
