#include "plat/Kicker.h"

namespace plat {

void Kicker::kicked() {
    // Drained first: a kick that arrives while the kickee works wakes it again.
    pipe_.drain();
    kickee_->kicked();
}

}  // namespace plat
