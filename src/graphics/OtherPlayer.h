// The other racer's player, turned by the gravity its body has.
#pragma once

#include "graphics/PlayerGraphic.h"

namespace Graphics {

class OtherPlayer : public PlayerGraphic {};

}  // namespace Graphics
