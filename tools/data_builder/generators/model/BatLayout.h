#pragma once

namespace Tools {

// The bat as it stands at its place, in its own space, which is the space of
// each of its part files: the head across the origin on z = 0, the body a
// craft hovering above the head's back, the screw its rotor. The game turns
// each part about its box's centre and puts that centre where it is
// modelled, relative to the bat's place, so the parts stand as modelled
// here. The body's matrix, which the guns and their bolts ride, is then the
// bat's place itself while the body does not roll: they are modelled in
// this space too.
//
// The level's camera looks from (0, -140, 98) down the field, and the balls
// meet the head at the lower edge of its view. Seen from there, whatever
// stands between the camera and a ball at the head hides it; so nothing but
// the head stands low near the head, and the craft hovers high enough that
// its lowest edges show above those balls: the sight line just over a ball
// at the head rises about 1.5 for each unit towards the player.

// Frame k of the head is stretched by k: its half width grows from 10 at
// frame 0 to 40 at frame 60, the length extension the game shows.
inline constexpr int kBatHeadFrameCount = 61;
constexpr float BatHeadHalfWidth(int frame) { return 10.0f + 0.5f * static_cast<float>(frame); }
inline constexpr float kBatHeadHalfDepth = 2.5f;
inline constexpr float kBatHeadHeight = 6.2f;
// The ball manager moves the head's box 3 towards the player for the balls:
// the bar's front face stands there. In front of it a plate lies on the
// field, under the balls, to the box's front: anything above the balls there
// would hide them from the camera as they strike.
inline constexpr float kBatBarFront = kBatHeadHalfDepth - 3.0f;
inline constexpr float kBatApronHeight = 0.3f;
// The ends of the head are this wide; the bar between them is cut in five.
inline constexpr float kBatEndWidth = 3.0f;
inline constexpr int kBatBarPieces = 5;

// The craft hovers over the head's back half, its lowest edges just above
// the sight line over a ball at the head, even rolled: a fuselage along the
// field in two layers, wings with a pod at either tip, and a tail plane with
// two fins.
inline constexpr float kBatFuselageHalfWidth = 2.4f;
inline constexpr float kBatFuselageBack = -2.6f;
inline constexpr float kBatFuselageFront = 2.5f;
inline constexpr float kBatFuselageBottom = 16.6f;
inline constexpr float kBatFuselageTop = 18.8f;
inline constexpr float kBatWingHalfDepth = 0.9f;
inline constexpr float kBatWingBottom = 17.0f;
inline constexpr float kBatWingTop = 17.6f;
inline constexpr float kBatPodInner = 6.6f;
inline constexpr float kBatPodOuter = 7.8f;
inline constexpr float kBatPodBack = -1.6f;
inline constexpr float kBatPodFront = 1.4f;
inline constexpr float kBatTailHalfWidth = 4.2f;
inline constexpr float kBatTailFront = -1.8f;
inline constexpr float kBatTailBottom = 18.2f;
inline constexpr float kBatTailTop = 18.6f;
inline constexpr float kBatFinWidth = 0.4f;
inline constexpr float kBatFinTop = 19.3f;

// The game catches bonuses with the head's box and the body's together. The
// body's box reaches back to y -9: a bonus that fell past the head is still
// caught from the side until it is that far back. Two runners on the field
// behind the head carry it there, under the view's lower edge, where they
// hide nothing. The body stays within x +-8, so that rolled its box reaches
// no further aside than the shortest head.
inline constexpr float kBatBodyBack = -9.0f;
inline constexpr float kBatRunnerInner = 6.5f;
inline constexpr float kBatRunnerOuter = 8.0f;
inline constexpr float kBatRunnerHeight = 1.0f;

// The screw turns over the fuselage's back on a mast, clear of the fins
// and behind the gun seat.
inline constexpr float kBatScrewY = -2.4f;
inline constexpr float kBatScrewZ = kBatFuselageTop + 0.9f;
inline constexpr float kBatBladeReach = 2.5f;

// Where the guns are modelled to sit: on the fuselage's nose, in front of
// the screw.
inline constexpr float kBatGunSeatZ = kBatFuselageTop;
inline constexpr float kBatGunSeatY = 1.8f;

} // namespace Tools
