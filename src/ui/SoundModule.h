#pragma once
// What the sound module exports: one function that makes its media player, a child of `parent`
// (deleted with it). The player plays a file once through the default audio output; a file that
// cannot be decoded ends in the player's error state, silently.
#include "ui/Services.h"

class QObject;

namespace cal {

using CreateSoundPlayer = Sound* (*)(QObject* parent);
inline constexpr char kCreateSoundPlayer[] = "calvetraCreateSoundPlayer";

}  // namespace cal
