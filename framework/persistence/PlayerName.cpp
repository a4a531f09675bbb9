#include "framework/persistence/PlayerName.h"

#include "engine/core/StringUtils.h"

#include <algorithm>

namespace GameFramework {

namespace {

constexpr wchar_t kReplacementCharacter = 0xFFFD;

} // namespace

std::wstring FitPlayerName(const std::wstring& name)
{
    std::wstring fitted = name.substr(0, kMaxPlayerNameLength);
    std::replace_if(
        fitted.begin(), fitted.end(), [](wchar_t c) { return static_cast<unsigned long>(c) > 0xFFFF; },
        kReplacementCharacter);
    return fitted;
}

std::wstring MakeProfileName(const std::wstring& name)
{
    // Cutting may leave white space at the new end.
    return Halvard::TrimRightCopyW(FitPlayerName(Halvard::TrimCopyW(name)));
}

} // namespace GameFramework
