#pragma once

namespace Tools {

// The bat as it stands assembled in its own space, which is the space of
// each of its part files: the head across the origin on z = 0, the body on
// the head's back half, the screw spinning above the body about its own
// vertical axis. The game puts each part at the bat's place plus the offset
// of the part's box centre from the head's, so the parts fit as they are
// modelled here. The guns and their bolts are modelled in the same space,
// because they ride on the body's matrix.
//
// The level's camera looks from (0, -140, 98) down the field: at the bat's
// place (y -85) it sees only what stands above z = 0 or in front, so the
// bat is built upwards rather than back towards the player.

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

// The hull, on the head's top behind the lip.
inline constexpr float kBatHullHalfWidth = 8.0f;
inline constexpr float kBatHullFront = kBatBarFront;
inline constexpr float kBatHullBack = -7.0f;
inline constexpr float kBatHullBottom = kBatHeadHeight;
inline constexpr float kBatHullTop = 9.2f;

// The screw's axis and reach, above the hull.
inline constexpr float kBatScrewY = -3.75f;
inline constexpr float kBatScrewZ = 10.5f;
inline constexpr float kBatBladeReach = 5.0f;

// Where the guns are modelled to sit: on the lip, in front of the hull.
inline constexpr float kBatGunSeatZ = kBatHeadHeight;
inline constexpr float kBatGunSeatY = kBatHullFront;

// The body's matrix, which the guns and their bolts ride, is not the bat's
// space: the game stands the body on the field (its lowest point on z = 0)
// with its front against the head's back face, so that matrix moves what is
// modelled here by this much.
inline constexpr float kBodyMatrixShiftY = -(kBatHeadHalfDepth + kBatHullFront);
inline constexpr float kBodyMatrixShiftZ = -kBatHullBottom;

} // namespace Tools
