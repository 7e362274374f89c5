#pragma once

#include "app/message.hpp"
#include "app/state.hpp"

namespace app {

// Applies one message to the state, on the UI thread. Never blocks: service
// calls go to named workers that answer through the message channel.
void dispatch(State& state, Message message);

}  // namespace app
