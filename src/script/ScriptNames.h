#pragma once
#include "script/ScriptParams.h"

// The fixed name tables of script parameters; an entry's index is the value the engine uses.
namespace scriptnames {

extern const SScriptName kLayers[7];          // PLACE, SPEAK: "BG", "PERSON1".."PERSON6"
extern const SScriptName kTransitions[20];    // IMG EFFECT
extern const SScriptName kScreenEffects[34];  // SCREEN EFFECT
extern const SScriptName kEffectLevels[3];    // SCREEN LEVEL
extern const SScriptName kColorMaps[4];       // COLORMAP EFFECT
extern const SScriptName kExitKinds[3];       // EXIT TYPE
extern const SScriptName kVerbs[6];           // CLICK COMMAND
extern const SScriptName kDirections[2];      // SCREEN DIR

// The display name of a layer index, or empty when it is out of range (the whole screen).
const char* LayerDisplay(int layer);

}  // namespace scriptnames
