#include "core/i18n/retranslation.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace tessaro {

namespace {

struct Observer {
  RetranslationHandle handle;
  std::function<void()> retranslate;
};

struct ObserverList {
  std::vector<Observer> observers;
  RetranslationHandle next = 1;
};

ObserverList& List() {
  static ObserverList list;
  return list;
}

const Observer* Find(RetranslationHandle handle) {
  for (const Observer& o : List().observers) {
    if (o.handle == handle) return &o;
  }
  return nullptr;
}

}  // namespace

RetranslationHandle AddRetranslationObserver(std::function<void()> retranslate) {
  ObserverList& list = List();
  list.observers.push_back({list.next, std::move(retranslate)});
  return list.next++;
}

void RemoveRetranslationObserver(RetranslationHandle handle) {
  std::vector<Observer>& v = List().observers;
  v.erase(std::remove_if(v.begin(), v.end(), [handle](const Observer& o) { return o.handle == handle; }),
          v.end());
}

void BroadcastRetranslation() {
  std::vector<RetranslationHandle> handles;
  for (const Observer& o : List().observers) handles.push_back(o.handle);
  for (RetranslationHandle h : handles) {
    // Looked up afresh: an earlier observer may have removed this one.
    const Observer* o = Find(h);
    if (!o) continue;
    std::function<void()> call = o->retranslate;  // survives its own removal
    call();
  }
}

}  // namespace tessaro
