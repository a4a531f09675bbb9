#pragma once

#include "engine/core/Types.h"

#include <array>
#include <span>

namespace Halvard {

// The names through which every part of the system asks the controls for a
// key or a mouse button, defined once here.
namespace KeyNames {

inline constexpr char kMouse1[] = "MOUSE1";
inline constexpr char kMouse2[] = "MOUSE2";
inline constexpr char kMouse3[] = "MOUSE3";
inline constexpr char kMouse4[] = "MOUSE4";
inline constexpr char kMouse5[] = "MOUSE5";
inline constexpr char kMouse6[] = "MOUSE6";
inline constexpr char kMouse7[] = "MOUSE7";
inline constexpr char kMouse8[] = "MOUSE8";
inline constexpr char kCapsLock[] = "CAPS_LOCK";
inline constexpr char kNumLock[] = "NUM_LOCK";
inline constexpr char kScrollLock[] = "SCROLL_LOCK";
inline constexpr char k0[] = "0";
inline constexpr char k1[] = "1";
inline constexpr char k2[] = "2";
inline constexpr char k3[] = "3";
inline constexpr char k4[] = "4";
inline constexpr char k5[] = "5";
inline constexpr char k6[] = "6";
inline constexpr char k7[] = "7";
inline constexpr char k8[] = "8";
inline constexpr char k9[] = "9";
inline constexpr char kA[] = "A";
inline constexpr char kB[] = "B";
inline constexpr char kC[] = "C";
inline constexpr char kD[] = "D";
inline constexpr char kE[] = "E";
inline constexpr char kF[] = "F";
inline constexpr char kG[] = "G";
inline constexpr char kH[] = "H";
inline constexpr char kI[] = "I";
inline constexpr char kJ[] = "J";
inline constexpr char kK[] = "K";
inline constexpr char kL[] = "L";
inline constexpr char kM[] = "M";
inline constexpr char kN[] = "N";
inline constexpr char kO[] = "O";
inline constexpr char kP[] = "P";
inline constexpr char kQ[] = "Q";
inline constexpr char kR[] = "R";
inline constexpr char kS[] = "S";
inline constexpr char kT[] = "T";
inline constexpr char kU[] = "U";
inline constexpr char kV[] = "V";
inline constexpr char kW[] = "W";
inline constexpr char kX[] = "X";
inline constexpr char kY[] = "Y";
inline constexpr char kZ[] = "Z";
inline constexpr char kBackspace[] = "BACKSPACE";
inline constexpr char kTab[] = "TAB";
inline constexpr char kSpace[] = "SPACE";
inline constexpr char kEnter[] = "ENTER";
inline constexpr char kEscape[] = "ESCAPE";
inline constexpr char kRShift[] = "RSHIFT";
inline constexpr char kLShift[] = "LSHIFT";
inline constexpr char kRCtrl[] = "RCTRL";
inline constexpr char kLCtrl[] = "LCTRL";
inline constexpr char kRAlt[] = "RALT";
inline constexpr char kLAlt[] = "LALT";
inline constexpr char kPageUp[] = "PAGEUP";
inline constexpr char kPageDown[] = "PAGEDOWN";
inline constexpr char kEnd[] = "END";
inline constexpr char kHome[] = "HOME";
inline constexpr char kPrintScrn[] = "PRINTSCRN";
inline constexpr char kInsert[] = "INSERT";
inline constexpr char kDelete[] = "DELETE";
inline constexpr char kPause[] = "PAUSE";
inline constexpr char kLeftArrow[] = "LEFTARROW";
inline constexpr char kUpArrow[] = "UPARROW";
inline constexpr char kRightArrow[] = "RIGHTARROW";
inline constexpr char kDownArrow[] = "DOWNARROW";
inline constexpr char kNumpad0[] = "NUMPAD_0";
inline constexpr char kNumpad1[] = "NUMPAD_1";
inline constexpr char kNumpad2[] = "NUMPAD_2";
inline constexpr char kNumpad3[] = "NUMPAD_3";
inline constexpr char kNumpad4[] = "NUMPAD_4";
inline constexpr char kNumpad5[] = "NUMPAD_5";
inline constexpr char kNumpad6[] = "NUMPAD_6";
inline constexpr char kNumpad7[] = "NUMPAD_7";
inline constexpr char kNumpad8[] = "NUMPAD_8";
inline constexpr char kNumpad9[] = "NUMPAD_9";
inline constexpr char kNumpadMultiply[] = "NUMPAD_MULTIPLY";
inline constexpr char kNumpadPlus[] = "NUMPAD_PLUS";
inline constexpr char kNumpadMinus[] = "NUMPAD_MINUS";
inline constexpr char kNumpadDelete[] = "NUMPAD_DELETE";
inline constexpr char kNumpadDivide[] = "NUMPAD_DIVIDE";
inline constexpr char kF1[] = "F1";
inline constexpr char kF2[] = "F2";
inline constexpr char kF3[] = "F3";
inline constexpr char kF4[] = "F4";
inline constexpr char kF5[] = "F5";
inline constexpr char kF6[] = "F6";
inline constexpr char kF7[] = "F7";
inline constexpr char kF8[] = "F8";
inline constexpr char kF9[] = "F9";
inline constexpr char kF10[] = "F10";
inline constexpr char kF11[] = "F11";
inline constexpr char kF12[] = "F12";
inline constexpr char kTilde[] = "~";
inline constexpr char kSemicolon[] = ";";
inline constexpr char kEquals[] = "=";
inline constexpr char kComma[] = ",";
inline constexpr char kMinus[] = "-";
inline constexpr char kPeriod[] = ".";
inline constexpr char kSlash[] = "/";
inline constexpr char kLeftBracket[] = "[";
inline constexpr char kBackslash[] = "\\";
inline constexpr char kRightBracket[] = "]";
inline constexpr char kApostrophe[] = "'";

} // namespace KeyNames

// A key name with its code: the keyboard device's key code, or for a mouse
// button name the number of the button.
struct NamedKey {
    const char* name;
    i32 code;
};

constexpr u32 kKeyNameCount = 108;
constexpr u32 kMouseButtonNameCount = 8;

// Every key name in its fixed order, the eight mouse button names first.
const std::array<NamedKey, kKeyNameCount>& GetKeyNames();
// The names after the mouse buttons'.
std::span<const NamedKey> GetKeyboardKeyNames();

} // namespace Halvard
