#pragma once

#include "tools/data_builder/generators/model/InterfaceRecipe.h"

#include <array>

namespace Tools {

// The pictures of the interface's widgets, each painted for the size in GUI
// units the window descriptions give the widget, so that corners stay round
// however the picture's cells are stretched over it.

// The menus' frame (340 x 440) and the loading windows' frame (320 x 96):
// a dark translucent panel in a gold rim.
Pixmap MenuFrame();
Pixmap LoadingFrame();
// The banner the menus' titles stand on (480 x 60).
Pixmap TitleMount();
// The field a player's name is typed into (300 x 40) and the track of the
// profiles' scroll bar (24 x 330).
Pixmap NameField();
Pixmap ListScrollTrack();
// A clear picture: the slot of a publisher's logo until the logo's shader
// replaces it.
Pixmap LogoSlot();

// The plates of the in-game display (128 x 32), their sign at the left.
enum class PlateSign { Life, Score, Level };
Pixmap StatusPlate(PlateSign sign);

// How a button looks in each frame of its model: normal, over, pressed,
// disabled. Every button of the interface takes these.
struct ButtonLook {
    Color low;
    Color high;
    Color rim;
    float rimHalfWidth;
    Color sign;
    // Pressed buttons sink: their sign moves down.
    float sink;
};
const std::array<ButtonLook, 4>& ButtonLooks();

// Button state pictures, one cell per frame of their models.
FrameGrid MainMenuButtonGrid();
Pixmap MainMenuButton();
// A line of the players list (300 x 32), the chosen player's line lit in
// its disabled frame.
Pixmap ProfileListButton();
enum class ButtonSign { Menu, Minimize, Close, Up, Down };
FrameGrid SmallButtonGrid();
Pixmap SmallButton(ButtonSign sign);
// The thumb of the profiles' scroll bar (30 x 40).
Pixmap ListScrollThumb();
FrameGrid FullScreenBoxGrid();
Pixmap FullScreenBox();

// A soft white spot the cursor's effects are drawn with.
Pixmap CursorSpark();

} // namespace Tools
