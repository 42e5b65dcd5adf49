// plat::Kicker: wakes an object on the event loop of the thread that made the kicker, from any
// thread.
//
// kick() writes one byte into a self-pipe (io::FdKicker) and never blocks; the owning thread's
// event manager then drains the pipe and calls the kickee's kicked() once, however many kicks
// came since. Used by the IPC log destination so that lines written on any thread are sent on
// the channel's own thread.
#pragma once

#include "io/FdKicker.h"

namespace plat {

class Kickee {
public:
    // On the kicker's thread, once for any number of kicks since the last call.
    virtual void kicked() = 0;
    virtual ~Kickee() = default;
};

class Kicker : public io::FdKickerCallback {
public:
    // Needs the calling thread's event manager (a fatal assertion failure, "thrInst", without
    // one); throws plat::SystemException "pipe" when no pipe can be made. `kickee` is not
    // owned and must outlive the kicker.
    explicit Kicker(Kickee* kickee) : kickee_(kickee), pipe_(this) {}
    ~Kicker() override = default;

    void kick() { pipe_.kick(); }
    // Drains the pipe, then wakes the kickee.
    void kicked() override;

private:
    Kickee* kickee_;
    io::FdKicker pipe_;
};

}  // namespace plat
