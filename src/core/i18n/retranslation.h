// The re-translation broadcast: every window re-applies its texts when the
// language changes. Windows register a callback at creation and remove it
// when they are destroyed; a window also applies its texts once itself at
// creation, so a new window always starts translated.
#pragma once

#include <functional>

namespace tessaro {

using RetranslationHandle = int;

// Registers `retranslate`; the handle removes it again.
RetranslationHandle AddRetranslationObserver(std::function<void()> retranslate);
void RemoveRetranslationObserver(RetranslationHandle handle);

// Calls every registered observer once, in registration order. An observer
// may add or remove observers while this runs; one removed before its turn
// is not called, and one added during the broadcast waits for the next.
void BroadcastRetranslation();

}  // namespace tessaro
