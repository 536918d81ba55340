#pragma once

#include "device/window_port.h"

namespace zvk {

// All that a transfer worker tells and asks: what the workers and the session take, and
// what a new kind of port implements.
class TransferPort : public TransferNotices, public TransferQuestions
{
};

} // namespace zvk
