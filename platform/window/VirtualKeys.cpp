#include "platform/window/VirtualKeys.h"

#include <SDL.h>

namespace Platform {

namespace {

uint32_t FromPunctuation(SDL_Keycode keycode)
{
    switch (keycode) {
    case SDLK_SEMICOLON:
        return kVkOemSemicolon;
    case SDLK_EQUALS:
        return kVkOemPlus;
    case SDLK_COMMA:
        return kVkOemComma;
    case SDLK_MINUS:
        return kVkOemMinus;
    case SDLK_PERIOD:
        return kVkOemPeriod;
    case SDLK_SLASH:
        return kVkOemSlash;
    case SDLK_BACKQUOTE:
        return kVkOemBackquote;
    case SDLK_LEFTBRACKET:
        return kVkOemOpenBracket;
    case SDLK_BACKSLASH:
        return kVkOemBackslash;
    case SDLK_RIGHTBRACKET:
        return kVkOemCloseBracket;
    case SDLK_QUOTE:
        return kVkOemQuote;
    case SDLK_LESS:
        return kVkOem102;
    default:
        return 0;
    }
}

uint32_t FromNamedKey(SDL_Keycode keycode)
{
    switch (keycode) {
    case SDLK_BACKSPACE:
        return kVkBack;
    case SDLK_TAB:
        return kVkTab;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return kVkReturn;
    case SDLK_PAUSE:
        return kVkPause;
    case SDLK_CAPSLOCK:
        return kVkCapital;
    case SDLK_ESCAPE:
        return kVkEscape;
    case SDLK_SPACE:
        return kVkSpace;
    case SDLK_PAGEUP:
        return kVkPrior;
    case SDLK_PAGEDOWN:
        return kVkNext;
    case SDLK_END:
        return kVkEnd;
    case SDLK_HOME:
        return kVkHome;
    case SDLK_LEFT:
        return kVkLeft;
    case SDLK_UP:
        return kVkUp;
    case SDLK_RIGHT:
        return kVkRight;
    case SDLK_DOWN:
        return kVkDown;
    case SDLK_PRINTSCREEN:
        return kVkSnapshot;
    case SDLK_INSERT:
        return kVkInsert;
    case SDLK_DELETE:
        return kVkDelete;
    case SDLK_LGUI:
        return kVkLeftWindows;
    case SDLK_RGUI:
        return kVkRightWindows;
    case SDLK_APPLICATION:
        return kVkApps;
    case SDLK_KP_MULTIPLY:
        return kVkMultiply;
    case SDLK_KP_PLUS:
        return kVkAdd;
    case SDLK_KP_MINUS:
        return kVkSubtract;
    case SDLK_KP_PERIOD:
        return kVkDecimal;
    case SDLK_KP_DIVIDE:
        return kVkDivide;
    case SDLK_NUMLOCKCLEAR:
        return kVkNumLock;
    case SDLK_SCROLLLOCK:
        return kVkScroll;
    case SDLK_LSHIFT:
        return kVkLeftShift;
    case SDLK_RSHIFT:
        return kVkRightShift;
    case SDLK_LCTRL:
        return kVkLeftControl;
    case SDLK_RCTRL:
        return kVkRightControl;
    case SDLK_LALT:
        return kVkLeftMenu;
    case SDLK_RALT:
        return kVkRightMenu;
    default:
        return FromPunctuation(keycode);
    }
}

uint32_t FromKeycode(SDL_Keycode keycode)
{
    if (keycode >= SDLK_a && keycode <= SDLK_z)
        return 'A' + static_cast<uint32_t>(keycode - SDLK_a);
    if (keycode >= SDLK_0 && keycode <= SDLK_9)
        return static_cast<uint32_t>(keycode);
    if (keycode >= SDLK_F1 && keycode <= SDLK_F12)
        return kVkF1 + static_cast<uint32_t>(keycode - SDLK_F1);
    if (keycode >= SDLK_F13 && keycode <= SDLK_F24)
        return kVkF1 + 12 + static_cast<uint32_t>(keycode - SDLK_F13);
    if (keycode >= SDLK_KP_1 && keycode <= SDLK_KP_9)
        return kVkNumpad0 + 1 + static_cast<uint32_t>(keycode - SDLK_KP_1);
    if (keycode == SDLK_KP_0)
        return kVkNumpad0;
    return FromNamedKey(keycode);
}

// A layout may give a key a character the table has no entry for (an 'é',
// a 'ß'); the key's place on the keyboard then names it.
uint32_t FromScancode(SDL_Scancode scancode)
{
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
        return 'A' + static_cast<uint32_t>(scancode - SDL_SCANCODE_A);
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9)
        return '1' + static_cast<uint32_t>(scancode - SDL_SCANCODE_1);
    switch (scancode) {
    case SDL_SCANCODE_0:
        return '0';
    case SDL_SCANCODE_SEMICOLON:
        return kVkOemSemicolon;
    case SDL_SCANCODE_EQUALS:
        return kVkOemPlus;
    case SDL_SCANCODE_COMMA:
        return kVkOemComma;
    case SDL_SCANCODE_MINUS:
        return kVkOemMinus;
    case SDL_SCANCODE_PERIOD:
        return kVkOemPeriod;
    case SDL_SCANCODE_SLASH:
        return kVkOemSlash;
    case SDL_SCANCODE_GRAVE:
        return kVkOemBackquote;
    case SDL_SCANCODE_LEFTBRACKET:
        return kVkOemOpenBracket;
    case SDL_SCANCODE_BACKSLASH:
        return kVkOemBackslash;
    case SDL_SCANCODE_RIGHTBRACKET:
        return kVkOemCloseBracket;
    case SDL_SCANCODE_APOSTROPHE:
        return kVkOemQuote;
    case SDL_SCANCODE_NONUSBACKSLASH:
        return kVkOem102;
    default:
        return 0;
    }
}

uint32_t WithoutNumLock(SDL_Keycode keycode, uint32_t key)
{
    // Keypad 0 to 9 in order.
    static const uint32_t kBeneathDigits[] = {kVkInsert, kVkEnd,   kVkDown, kVkNext, kVkLeft,
                                              kVkClear,  kVkRight, kVkHome, kVkUp,   kVkPrior};
    if (keycode == SDLK_KP_PERIOD)
        return kVkDelete;
    if (key >= kVkNumpad0 && key <= kVkNumpad0 + 9)
        return kBeneathDigits[key - kVkNumpad0];
    return key;
}

} // namespace

uint32_t SidedVirtualKeyFromSdl(int32_t keycode, int32_t scancode, bool numLock)
{
    uint32_t key = FromKeycode(keycode);
    if (key == 0)
        key = FromScancode(static_cast<SDL_Scancode>(scancode));
    return numLock ? key : WithoutNumLock(keycode, key);
}

uint32_t VirtualKeyFromSdl(int32_t keycode, int32_t scancode, bool numLock)
{
    const uint32_t key = SidedVirtualKeyFromSdl(keycode, scancode, numLock);
    switch (key) {
    case kVkLeftShift:
    case kVkRightShift:
        return kVkShift;
    case kVkLeftControl:
    case kVkRightControl:
        return kVkControl;
    case kVkLeftMenu:
    case kVkRightMenu:
        return kVkMenu;
    default:
        return key;
    }
}

} // namespace Platform
