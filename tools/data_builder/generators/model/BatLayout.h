#pragma once

namespace Tools {

// The bat as it stands at its place, in its own space, which is the space of
// each of its part files: the head across the origin on z = 0, the body's
// hull high behind it, the screw spinning above the hull about its own
// vertical axis. The game turns each part about its box's centre and puts
// that centre where it is modelled, relative to the bat's place, so the
// parts stand as modelled here. The body's matrix, which the guns and their
// bolts ride, is then the bat's place itself while the body does not roll:
// they are modelled in this space too.
//
// The level's camera looks from (0, -140, 98) down the field. At the bat's
// place (y -85) the lower edge of its view rises 1.79 for each unit towards
// the player: it passes about z = 0 under the head's middle, 4.1 at the
// head's back face and 15.7 at y -9. So only the head stands on the field,
// and what reaches further back stands high enough to show.

// Frame k of the head is stretched by k: its half width grows from 10 at
// frame 0 to 40 at frame 60, the length extension the game shows.
inline constexpr int kBatHeadFrameCount = 61;
constexpr float BatHeadHalfWidth(int frame) { return 10.0f + 0.5f * static_cast<float>(frame); }
inline constexpr float kBatHeadHalfDepth = 2.5f;
inline constexpr float kBatHeadHeight = 6.2f;
// The ball manager moves the head's box 3 towards the player for the balls:
// the bar's front face stands there, and a lip above the balls (a super
// ball reaches z = 5) fills the box in front of it.
inline constexpr float kBatBarFront = kBatHeadHalfDepth - 3.0f;
inline constexpr float kBatLipBottom = 5.2f;
// The ends of the head are this wide; the bar between them is cut in five.
inline constexpr float kBatEndWidth = 3.0f;
inline constexpr int kBatBarPieces = 5;

// The game catches bonuses with the head's box and the body's together. The
// body's box reaches back to y -9: a bonus that fell past the head is still
// caught from the side until it is that far back. The box is 20 wide and
// 3.8 tall, which sets how far its ends, rolled with the body, reach past
// those of the shortest head. The body stands high enough for its whole box
// to show, and for what is in it to stay in view while a ball's hit kicks
// the bat back by 0.9; well above the highest part of a gun (a ballista's
// bolt, up to 13.6).
inline constexpr float kBatBodyHalfWidth = 10.0f;
inline constexpr float kBatBodyBack = -9.0f;
inline constexpr float kBatBodyBottom = 16.0f;
inline constexpr float kBatBodyTop = kBatBodyBottom + 3.8f;

// The hull, the body's middle: narrower than the shortest head, whose ends
// show beside it, and behind the guns, which show in front of it.
inline constexpr float kBatHullHalfWidth = 6.0f;
inline constexpr float kBatHullFront = -3.0f;
inline constexpr float kBatHullBack = -7.5f;
inline constexpr float kBatHullTop = kBatBodyTop - 0.6f;
// On either side of the hull's back a wing reaches out to the body's full
// width and carries a boom back to the body's back.
inline constexpr float kBatWingFront = -6.0f;
inline constexpr float kBatWingBottom = kBatHullTop - 0.8f;
inline constexpr float kBatBoomWidth = 1.2f;

// The screw's axis and reach, above the hull on a mast up to the body's top.
inline constexpr float kBatScrewY = -5.0f;
inline constexpr float kBatScrewZ = kBatBodyTop + 1.0f;
inline constexpr float kBatBladeReach = 4.5f;

// Where the guns are modelled to sit: on the lip, over the bar's front face.
inline constexpr float kBatGunSeatZ = kBatHeadHeight;
inline constexpr float kBatGunSeatY = kBatBarFront;

} // namespace Tools
