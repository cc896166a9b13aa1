#include "Sound.h"

namespace platform::sound {

// Silence until the sound output lands.
bool PlaySoundA(const QString&, unsigned) {
    return false;
}

} // namespace platform::sound
